// The whole game by keyboard, and by screen reader: the page turns the keys the game ignores
// into the pointer events it takes (keys.js has the rules), at page pixels the browser's SDL
// reads as exactly the game's pixels wanted, at every scale. Only the keys the game is played
// with are taken; every other key, and any key held with Ctrl, Alt, Meta or Shift, is the
// browser's, and the browser's SDL never hears it (it would keep the browser from acting on
// it). Tab and Shift+Tab move between the game and the bar's controls.
//
// While the game has the keyboard a frame shows round it; once a key is used, a mark shows the
// cursor's cell or the menu's highlighted control, which is also the element a screen reader
// reads (reader.js) and the game's one stop in the Tab order.

import { keyRoute, keyboardRules, pagePixelFor } from "./keys.js";
import { readerLayer } from "./reader.js";

export function playByKeyboard(canvas, game, mark, reader, said) {
  let rect = canvas.getBoundingClientRect();
  const scale = () => rect.width / canvas.width;
  const rules = keyboardRules((x, y) => pagePixelFor(x, rect.left, scale()) !== null &&
    pagePixelFor(y, rect.top, scale()) !== null);
  const layer = readerLayer(reader, said, {
    choose: (name) => { act(rules.choose(name)); showMark(); },
    openCell: (row, col) => { act(rules.openCell(row, col)); showMark(); },
  });
  let hasKeys = false;

  // Each event at the page pixel the game reads as its pixel (or, where the game is shown so
  // small that the pixel has none, the page pixel within it).
  function act(events) {
    rect = canvas.getBoundingClientRect();
    for (const { type, x, y, button } of events) {
      const near = (v, start) => pagePixelFor(v, start, scale()) ??
        Math.floor(start + (v + 0.5) * scale());
      canvas.dispatchEvent(new MouseEvent(type, {
        clientX: near(x, rect.left), clientY: near(y, rect.top), button,
        buttons: type === "mouseup" ? 0 : 1 << button, bubbles: true, cancelable: true,
        view: window,
      }));
    }
  }

  // The mark over the canvas, in the game's box, where the rules put it.
  function showMark() {
    layer.mark(rules.item, rules.cursor);
    const box = rules.mark();
    if (!box || !game.classList.contains("keyed")) {
      mark.hidden = true;
      return;
    }
    rect = canvas.getBoundingClientRect();
    const gameRect = game.getBoundingClientRect();
    const s = scale();
    Object.assign(mark.style, { left: rect.left + box.x * s - gameRect.left + "px",
      top: rect.top + box.y * s - gameRect.top + "px", width: box.w * s + "px",
      height: box.h * s + "px" });
    mark.hidden = false;
  }

  // Keys for the game: on the canvas or the reader's controls, on no element in particular, or
  // sent to the document (the Menu control's Escape).
  const inGame = (target) => target === canvas || layer.contains(target) ||
    target === document.body || target === document.documentElement || target === document;
  for (const type of ["keydown", "keyup", "keypress"]) {
    window.addEventListener(type, (event) => {
      const route = keyRoute(event);
      if (route !== "game" || !inGame(event.target)) event.stopPropagation();
      if (route !== "play" || !inGame(event.target)) return;
      event.preventDefault();
      if (type !== "keydown") return;
      game.classList.add("keyed");
      act(rules.key(event.key, event.repeat));
      showMark();
    }, true);
  }

  // Focus shows: a frame round the game whenever keys go to it, by Tab or by a click; and the
  // canvas, clicked, hands the focus on to the element that stands for the highlight.
  function showFocus() {
    const active = document.activeElement;
    hasKeys = !active || active === document.body || active === canvas || layer.contains(active);
    game.classList.toggle("focused", hasKeys);
    if (!hasKeys) game.classList.remove("keyed");
    showMark();
  }
  document.addEventListener("focusin", showFocus);
  // (Focus leaving one element for another passes through none.)
  document.addEventListener("focusout", () => setTimeout(showFocus, 0));
  canvas.addEventListener("focus", () => layer.focus());
  // A pointer hides the mark until the next key, and a run of keys starts afresh.
  const pointerCame = () => {
    game.classList.remove("keyed");
    rules.pointerCame();
    showMark();
  };
  canvas.addEventListener("mousedown", (event) => { if (event.isTrusted) pointerCame(); });
  window.addEventListener("touchstart", pointerCame);
  showFocus();

  return {
    // What the game shows now (seam.js): the rules and the reader follow it, and the focus
    // stays on the game's element where the game had it.
    show(next) {
      rules.show(next);
      layer.show(next);
      showMark();
      if (hasKeys) layer.focus();
    },
    refresh: showMark,
  };
}
