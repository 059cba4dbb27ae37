// A drag goes on while the button is held. The browser's SDL lets go of every button as soon as
// the pointer leaves the canvas, lest the release happen outside it unseen; but Chromium also
// says the pointer left when the window is resized under it, and a slider drag then stopped
// half-way. So while the left button is held the page keeps such a leave from SDL, and tells
// SDL of it at the release, should that happen off the canvas.

export function keepDragsWhileHeld(canvas) {
  let leaveKept = false;
  window.addEventListener("mouseout", (event) => {
    if (event.target !== canvas || !event.isTrusted || !(event.buttons & 1)) return;
    event.stopPropagation();
    leaveKept = true;
  }, true);
  window.addEventListener("mouseup", (event) => {
    if (!leaveKept || !event.isTrusted) return;
    leaveKept = false;
    if (event.target === canvas) return;
    canvas.dispatchEvent(new MouseEvent("mouseout", {
      clientX: event.clientX, clientY: event.clientY, bubbles: true, view: window,
    }));
  }, true);
}
