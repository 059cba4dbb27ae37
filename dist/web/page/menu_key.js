// The Menu control is Escape, for a phone that has no key for it (and for the mouse too); and
// Escape itself goes to the game, not to the page (which would leave full screen or stop
// loading).

function pressEscape() {
  for (const type of ["keydown", "keyup"]) {
    const key = new KeyboardEvent(type, { key: "Escape", code: "Escape", bubbles: true });
    // The browser's SDL reads the old key code, which an event made here does not carry.
    Object.defineProperty(key, "keyCode", { get: () => 27 });
    document.dispatchEvent(key);
  }
}

export function offerMenuControl(button, canvas) {
  button.addEventListener("click", () => {
    pressEscape();
    canvas.focus();
  });
  window.addEventListener("keydown", (event) => {
    if (event.key === "Escape") event.preventDefault();
  });
}
