// Flag mode, where fingers play: a control in the bar that swaps what a tap and a hold do on
// the board (gestures.js), so that a hold that ends a moment too soon cannot open a cell. Its
// state shows as an icon and a word, and is remembered between visits where the browser keeps
// storage; where it refuses (a sandboxed frame, a private window), the mode still works for
// the visit.

const KEY = "dunmarrow.flagMode";

function remembered() {
  try {
    return window.localStorage.getItem(KEY) === "on";
  } catch (refused) {
    return false;
  }
}
function remember(on) {
  try {
    window.localStorage.setItem(KEY, on ? "on" : "off");
  } catch (refused) { /* kept for this visit only */ }
}

export function offerFlagMode(button, shown) {
  // Read only where the control shows: a first look at the browser's storage costs the page
  // milliseconds before the game's first frame.
  let on = shown && remembered();
  const look = () => {
    // A filled flag when a tap flags, an empty one when it opens, and the words.
    button.textContent = on ? "\u2691 Tap flags" : "\u2690 Tap opens";
    button.setAttribute("aria-pressed", String(on));
    button.classList.toggle("on", on);
  };
  look();
  button.hidden = !shown;
  button.addEventListener("click", () => {
    on = !on;
    remember(on);
    look();
  });
  return { isOn: () => on };
}
