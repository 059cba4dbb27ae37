// Touch on the game: the browser's touches, taken before the browser's SDL sees them (which
// would make every finger a left button), fed to the gesture rules (gestures.js), and what
// they give carried out: mouse events on the canvas, the ring that shows a hold coming, and
// the view's pinch and pan (fit.js).

import { HOLD_MS, LEFT, gestureRules } from "./gestures.js";

// page: { tapFlags(), pinch(factor, x, y), pan(dx, dy) }.
export function playByTouch(canvas, game, ring, page) {
  const rules = gestureRules(page.tapFlags);
  let timer = 0;

  // At whole pixels of the page, as the mouse's own events are, so that a finger and the
  // mouse along the same path reach the same pixels of the game.
  function mouse(type, x, y, button) {
    canvas.dispatchEvent(new MouseEvent(type, {
      clientX: Math.floor(x), clientY: Math.floor(y), button: button, bubbles: true,
      cancelable: true, view: window,
    }));
  }
  // The ring around the finger: it grows while the finger is held still, and shows full when
  // the hold takes.
  function showRing(x, y, look) {
    const rect = game.getBoundingClientRect();
    ring.style.left = x - rect.left + "px";
    ring.style.top = y - rect.top + "px";
    ring.className = "";
    ring.hidden = false;
    // Laid out afresh, so that the animation starts again.
    void ring.offsetWidth;
    ring.className = look;
  }
  function carryOut(actions) {
    for (const action of actions) {
      if (action.mouse) {
        mouse(action.mouse, action.x, action.y, action.button);
      } else if (action.letGo) {
        // Let go of the left button where the game takes nothing, off the canvas.
        const rect = canvas.getBoundingClientRect();
        mouse("mousemove", rect.left - 1, rect.top - 1, LEFT);
        mouse("mouseup", rect.left - 1, rect.top - 1, LEFT);
      } else if (action.ring === "grow") {
        showRing(action.x, action.y, "growing");
      } else if (action.ring === "gone") {
        ring.hidden = true;
      } else if (action.held) {
        showRing(action.held.x, action.held.y, "took");
        // Not every browser can vibrate (Firefox cannot).
        if (typeof navigator.vibrate === "function") navigator.vibrate(25);
      } else if (action.pinch) {
        page.pinch(action.pinch, action.x, action.y);
      } else if (action.pan) {
        page.pan(action.pan.dx, action.pan.dy);
      } else if (action.timer === "start") {
        clearTimeout(timer);
        timer = setTimeout(() => carryOut(rules.holdElapsed()), HOLD_MS);
      } else if (action.timer === "stop") {
        clearTimeout(timer);
      }
    }
  }

  const points = (list) => Array.from(list, (touch) =>
    ({ id: touch.identifier, x: touch.clientX, y: touch.clientY }));
  const options = { capture: true, passive: false };
  // Only touches on the game; a finger that lands elsewhere is the page's.
  const taken = (handle) => (event) => {
    if (event.target !== canvas) return;
    event.preventDefault();
    event.stopPropagation();
    carryOut(handle(event));
  };
  window.addEventListener("touchstart", taken((event) => rules.touchStart(points(event.changedTouches))), options);
  window.addEventListener("touchmove", taken((event) => rules.touchMove(points(event.changedTouches))), options);
  // A rotation moves the game under a finger held on it: that gesture ends.
  window.addEventListener("resize", () => carryOut(rules.turned()));
  for (const kind of ["touchend", "touchcancel"]) {
    window.addEventListener(kind, taken((event) =>
      rules.touchEnd(event.touches.length, event.type === "touchcancel")), options);
  }
}
