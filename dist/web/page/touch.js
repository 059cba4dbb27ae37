// Touch on the game: the browser's touches, taken before the browser's SDL sees them (which
// would make every finger a left button), fed to the gesture rules (gestures.js), and what
// they give dispatched on the canvas as the mouse events the game takes.

import { HOLD_MS, LEFT, gestureRules } from "./gestures.js";

export function playByTouch(canvas, game, ring) {
  const rules = gestureRules();
  let timer = 0;

  // At whole pixels of the page, as the mouse's own events are, so that a finger and the
  // mouse along the same path reach the same pixels of the game.
  function mouse(type, x, y, button) {
    canvas.dispatchEvent(new MouseEvent(type, {
      clientX: Math.floor(x), clientY: Math.floor(y), button: button, bubbles: true,
      cancelable: true, view: window,
    }));
  }
  function showPressTook(x, y) {
    const rect = game.getBoundingClientRect();
    ring.style.left = x - rect.left + "px";
    ring.style.top = y - rect.top + "px";
    ring.hidden = false;
    setTimeout(() => { ring.hidden = true; }, 300);
    // Not every browser can vibrate (Firefox cannot).
    if (typeof navigator.vibrate === "function") navigator.vibrate(25);
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
      } else if (action.held) {
        showPressTook(action.held.x, action.held.y);
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
  for (const kind of ["touchend", "touchcancel"]) {
    window.addEventListener(kind, taken((event) =>
      rules.touchEnd(event.touches.length, event.type === "touchcancel")), options);
  }
}
