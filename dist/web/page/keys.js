// The keyboard's rules, without the page: which keys the page plays, which it leaves to the
// game and which to the browser; where the board's cursor and the menu's highlight go; and the
// pointer events, at the game's pixels, that each key gives the game (which itself takes only
// Escape). keyboard.js carries them out on the page; tested under Node (tests/web/page).
//
// Where the menu's controls are comes from the game itself, with what it shows (seam.js:
// controls, each control's area and, for a slider, the pixels of its track a step takes).

export const LEFT = 0;
export const RIGHT = 2;
const CELL = 30;
// The sliders, by the setting each moves.
export const SLIDERS = { mines: "minePercent", rows: "rows", cols: "cols" };
export const MENU_ITEMS = ["start", "mines", "rows", "cols", "quit"];
const PLAY_KEYS = ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Enter", " ", "Spacebar"];

// Where a key goes: "play", a key the page plays for the game (an arrow, Enter or Space on its
// own); "game", Escape, which the game takes itself; "browser", every other key, Tab, the
// function keys and anything held with Ctrl, Alt, Meta or Shift, which the browser keeps.
export function keyRoute({ key, ctrlKey = false, altKey = false, metaKey = false, shiftKey = false }) {
  if (ctrlKey || altKey || metaKey || shiftKey) return "browser";
  if (key === "Escape") return "game";
  return PLAY_KEYS.includes(key) ? "play" : "browser";
}

// The value a column of a slider's track reads, as the game reads it.
export function sliderValueAt(control, x) {
  return Math.floor((x - control.left) / control.step);
}

// Where a control of the menu shows, for the mark and a screen reader: a button's area, or a
// slider's drawn track about its area.
export function controlBox(control, slider) {
  if (!slider) {
    return { x: control.left, y: control.top, w: control.right - control.left,
      h: control.bottom - control.top };
  }
  const middle = (control.top + control.bottom) / 2;
  return { x: control.left - 5, y: middle - 9, w: control.right - control.left + 20, h: 18 };
}

// The whole page pixel (a column, or a row) the browser's SDL reads as game pixel X, where the
// game's first pixel lies at page coordinate START and each game pixel is SCALE page pixels
// wide. Browsers round a mouse event's coordinates down to whole page pixels, and the game reads
// floor((page - start) / scale): at a scale under 1 some game pixels have no page pixel of their
// own, and then the answer is null.
export function pagePixelFor(x, start, scale) {
  // Of the page pixels within it, the one farthest from its edges, where the game's own
  // arithmetic might fall either side.
  let best = null;
  let room = -1;
  for (let page = Math.floor(start + x * scale); page <= start + (x + 1) * scale; page++) {
    const at = (page - start) / scale - x;
    if (at > -1e-9 && at < 1 - 1e-9 && Math.min(at, 1 - at) > room) {
      best = page + 0;  // (never -0)
      room = Math.min(at, 1 - at);
    }
  }
  return best;
}

// The keyboard on the game. reaches(x, y): whether the game's pixel has a page pixel of its own
// (pagePixelFor), so that a slider's step lands exactly.
export function keyboardRules(reaches = () => true) {
  let shown = null;
  let boardKey = "";
  let cursor = { col: 0, row: 0 };
  let item = 0;
  // The value each slider was last stepped to by a key, until the game reports it.
  let keyed = {};

  const hasCells = () => shown.board.cols > 0 && shown.board.rows > 0;
  const cellCentre = () => ({ x: shown.board.left + cursor.col * CELL + CELL / 2,
    y: shown.board.top + cursor.row * CELL + CELL / 2 });
  const release = (button, { x, y }) => [{ type: "mousemove", x, y, button: LEFT },
    { type: "mousedown", x, y, button }, { type: "mouseup", x, y, button }];

  function onBoard(key, repeat) {
    const { board } = shown;
    const moves = { ArrowUp: [0, -1], ArrowDown: [0, 1], ArrowLeft: [-1, 0], ArrowRight: [1, 0] };
    if (moves[key]) {
      cursor.col = Math.min(Math.max(cursor.col + moves[key][0], 0), Math.max(board.cols - 1, 0));
      cursor.row = Math.min(Math.max(cursor.row + moves[key][1], 0), Math.max(board.rows - 1, 0));
      return [];
    }
    if (repeat) return [];
    if (key === "Enter" && hasCells()) return release(LEFT, cellCentre());
    // On an empty board, once over, a right release anywhere deals the next.
    if (key === " " || key === "Spacebar") {
      return release(RIGHT, hasCells() ? cellCentre() : { x: 400, y: 300 });
    }
    return [];
  }

  // The pointer pressed on the track beside the column that gives the value wanted and moved
  // onto it (the game moves a slider on a motion with the left button held), if the track has
  // such a column that the pointer can reach.
  function stepSlider(name, step) {
    const control = shown.controls[name];
    const setting = SLIDERS[name];
    // Keys come faster than the game reports: a run of them steps on from the page's own last
    // step until the game has caught up with it.
    const wanted = (keyed[setting] ?? shown.settings[setting]) + step;
    const y = Math.floor((control.top + control.bottom) / 2);
    for (let x = control.left; x <= control.right; x++) {
      if (sliderValueAt(control, x) !== wanted || !reaches(x, y)) continue;
      // (A column beside the track, where none on it is left, presses nothing: still a press.)
      let beside = x > control.left ? x - 1 : x + 1;
      while (!reaches(beside, y) && Math.abs(beside - x) < 20) beside += x > control.left ? -1 : 1;
      keyed[setting] = wanted;
      return [{ type: "mousemove", x: beside, y, button: LEFT },
        { type: "mousedown", x: beside, y, button: LEFT },
        { type: "mousemove", x, y, button: LEFT }, { type: "mouseup", x, y, button: LEFT }];
    }
    return [];
  }

  function onMenu(key, repeat) {
    const name = MENU_ITEMS[item];
    if (key === "ArrowUp" || key === "ArrowDown") {
      item = Math.min(Math.max(item + (key === "ArrowUp" ? -1 : 1), 0), MENU_ITEMS.length - 1);
      return [];
    }
    if ((key === "ArrowLeft" || key === "ArrowRight") && SLIDERS[name]) {
      return stepSlider(name, key === "ArrowLeft" ? -1 : 1);
    }
    if (!repeat && key === "Enter" && (name === "start" || name === "quit")) return press(name);
    return [];
  }

  // A left release on the middle of Start or Quit.
  function press(name) {
    const area = shown.controls[name];
    return release(LEFT, { x: Math.floor((area.left + area.right) / 2),
      y: Math.floor((area.top + area.bottom) / 2) });
  }

  return {
    // What the game shows now (seam.js): a new board puts the cursor on its middle cell, the
    // menu shown anew puts the highlight on Start.
    show(next) {
      const key = [next.board.left, next.board.top, next.board.cols, next.board.rows].join();
      if (key !== boardKey) {
        boardKey = key;
        cursor = { col: Math.max(Math.floor((next.board.cols - 1) / 2), 0),
          row: Math.max(Math.floor((next.board.rows - 1) / 2), 0) };
      }
      if (shown && shown.menu !== next.menu && next.menu) item = 0;
      for (const setting of Object.keys(keyed)) {
        if (!next.menu || next.settings[setting] === keyed[setting]) delete keyed[setting];
      }
      shown = next;
    },
    // The pointer events a key played by the page gives the game, in the game's pixels.
    key(key, repeat = false) {
      if (!shown) return [];
      return shown.menu ? onMenu(key, repeat) : onBoard(key, repeat);
    },
    // A control of the menu chosen by other means (a screen reader's own cursor, a click on the
    // control that stands for it): it becomes the highlight, and a button is pressed.
    choose(name) {
      item = Math.max(MENU_ITEMS.indexOf(name), 0);
      return shown && (name === "start" || name === "quit") ? press(name) : [];
    },
    // A cell chosen by other means: it becomes the cursor's, and opens.
    openCell(row, col) {
      cursor = { row, col };
      return shown && !shown.menu && hasCells() ? release(LEFT, cellCentre()) : [];
    },
    // A pointer came: a run of keys starts afresh from the game's own values.
    pointerCame() { keyed = {}; },
    // Where the mark goes, in the game's pixels: the cursor's cell or the highlighted control.
    mark() {
      if (!shown) return null;
      if (shown.menu) {
        const name = MENU_ITEMS[item];
        return controlBox(shown.controls[name], Boolean(SLIDERS[name]));
      }
      if (!hasCells()) return null;
      return { x: shown.board.left + cursor.col * CELL, y: shown.board.top + cursor.row * CELL,
        w: CELL, h: CELL };
    },
    // The highlighted control's name, or the cursor's cell.
    get item() { return MENU_ITEMS[item]; },
    get cursor() { return { ...cursor }; },
  };
}
