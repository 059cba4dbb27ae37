// The whole game by keyboard while the game has focus, by turning keys the game ignores (it
// takes only Escape) into the pointer events it takes, at the right pixels of the game:
//   on the board, the arrows move a cursor from cell to cell (from the middle cell, never off
//   the board), Enter opens the cell under it (a left release) and Space flags it (a right
//   release), or once a game is over starts the next one;
//   on the menu, Up and Down move a highlight between Start, the three sliders and Quit, Left
//   and Right move the highlighted slider by one step of its value, and Enter presses the
//   highlighted button.
// A key held down repeats the cursor's moves, never a release. Keys meant for the page never
// reach the game: Tab and Shift+Tab move between the game and the bar's controls, and Enter or
// Space on a control does what a click does. Escape goes to the game, as ever.
//
// What the page knows of the game's screen comes from the game itself (seam.js); the menu's
// geometry below is the game's (src/ui/menu_layout.h and slider_scale.h).

const LEFT = 0;
const RIGHT = 2;
const CELL = 30;
const START = { x: 333, y: 176, w: 134, h: 29 };
const QUIT = { x: 365, y: 394, w: 71, h: 32 };
const SLIDER_LEFT = 320;
const TRACK_LENGTH = 91;
// Each slider: its middle line, the value a pointer column gives, and its setting's name.
const SLIDERS = {
  mines: { middle: 250, valueAt: (x) => x - SLIDER_LEFT, setting: "minePercent" },
  rows: { middle: 300, valueAt: (x) => Math.floor((x - SLIDER_LEFT) / 4.5), setting: "rows" },
  cols: { middle: 350, valueAt: (x) => Math.floor((x - SLIDER_LEFT) / 3.5), setting: "cols" },
};
const MENU_ITEMS = ["start", "mines", "rows", "cols", "quit"];
const GAME_KEYS = ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Enter", " ", "Spacebar"];

export function playByKeyboard(canvas, game, mark) {
  let shown = null;
  let boardKey = "";
  let cursor = { col: 0, row: 0 };
  let item = 0;
  // The value each slider was last stepped to by a key, until the game reports it.
  let keyed = {};

  // Keys for the game: on the canvas, on no element in particular, or sent to the document (the
  // Menu control's Escape).
  const inGame = (target) => target === canvas || target === document.body ||
    target === document.documentElement || target === document;

  // Game pixel (x, y) as a point of the page, in the middle of that pixel.
  function pagePoint(x, y) {
    const rect = canvas.getBoundingClientRect();
    const scale = rect.width / canvas.width;
    return [rect.left + (x + 0.5) * scale, rect.top + (y + 0.5) * scale];
  }
  function mouse(type, x, y, button) {
    const [px, py] = pagePoint(x, y);
    canvas.dispatchEvent(new MouseEvent(type, {
      clientX: px, clientY: py, button, buttons: type === "mouseup" ? 0 : 1 << button,
      bubbles: true, cancelable: true, view: window,
    }));
  }
  function release(button, x, y) {
    mouse("mousemove", x, y, LEFT);
    mouse("mousedown", x, y, button);
    mouse("mouseup", x, y, button);
  }

  // The mark: the cursor's cell, or the menu's highlighted control, drawn over the canvas.
  function showMark() {
    if (!shown || !game.classList.contains("keyed")) {
      mark.hidden = true;
      return;
    }
    let box;
    if (shown.menu) {
      const name = MENU_ITEMS[item];
      box = name === "start" ? START : name === "quit" ? QUIT
        : { x: SLIDER_LEFT - 5, y: SLIDERS[name].middle - 9, w: 111, h: 18 };
    } else if (shown.board.cols > 0 && shown.board.rows > 0) {
      box = { x: shown.board.left + cursor.col * CELL, y: shown.board.top + cursor.row * CELL,
        w: CELL, h: CELL };
    } else {
      mark.hidden = true;
      return;
    }
    const gameRect = game.getBoundingClientRect();
    const [left, top] = pagePoint(box.x - 0.5, box.y - 0.5);
    const [right, bottom] = pagePoint(box.x + box.w - 0.5, box.y + box.h - 0.5);
    Object.assign(mark.style, { left: left - gameRect.left + "px", top: top - gameRect.top + "px",
      width: right - left + "px", height: bottom - top + "px" });
    mark.hidden = false;
  }

  function onBoard(key, repeat) {
    const { board } = shown;
    const cellCentre = () => [board.left + cursor.col * CELL + CELL / 2,
      board.top + cursor.row * CELL + CELL / 2];
    const moves = { ArrowUp: [0, -1], ArrowDown: [0, 1], ArrowLeft: [-1, 0], ArrowRight: [1, 0] };
    if (moves[key]) {
      cursor.col = Math.min(Math.max(cursor.col + moves[key][0], 0), Math.max(board.cols - 1, 0));
      cursor.row = Math.min(Math.max(cursor.row + moves[key][1], 0), Math.max(board.rows - 1, 0));
    } else if (!repeat && key === "Enter" && board.cols > 0 && board.rows > 0) {
      release(LEFT, ...cellCentre());
    } else if (!repeat && (key === " " || key === "Spacebar")) {
      // On an empty board, once over, a right release anywhere deals the next.
      release(RIGHT, ...(board.cols > 0 && board.rows > 0 ? cellCentre() : [400, 300]));
    }
  }

  function onMenu(key, repeat) {
    const name = MENU_ITEMS[item];
    if (key === "ArrowUp" || key === "ArrowDown") {
      item = Math.min(Math.max(item + (key === "ArrowUp" ? -1 : 1), 0), MENU_ITEMS.length - 1);
    } else if ((key === "ArrowLeft" || key === "ArrowRight") && SLIDERS[name]) {
      const slider = SLIDERS[name];
      // Keys come faster than the game reports: a run of them steps on from the page's own
      // last step until the game has caught up with it.
      const from = keyed[slider.setting] ?? shown.settings[slider.setting];
      const wanted = from + (key === "ArrowLeft" ? -1 : 1);
      // The first column of the track that gives the value wanted, if the track has one.
      for (let x = SLIDER_LEFT; x <= SLIDER_LEFT + TRACK_LENGTH; x++) {
        if (slider.valueAt(x) !== wanted) continue;
        const beside = x > SLIDER_LEFT ? x - 1 : x + 1;
        mouse("mousemove", beside, slider.middle, LEFT);
        mouse("mousedown", beside, slider.middle, LEFT);
        mouse("mousemove", x, slider.middle, LEFT);
        mouse("mouseup", x, slider.middle, LEFT);
        keyed[slider.setting] = wanted;
        break;
      }
    } else if (!repeat && key === "Enter" && (name === "start" || name === "quit")) {
      const button = name === "start" ? START : QUIT;
      release(LEFT, button.x + button.w / 2, button.y + button.h / 2 + (name === "quit" ? 2 : 0));
    }
  }

  for (const type of ["keydown", "keyup", "keypress"]) {
    window.addEventListener(type, (event) => {
      // Keys typed on the page's controls, and Tab anywhere, are the page's: the game's SDL
      // would take them and keep the browser from moving the focus or pressing the control.
      if (event.key === "Tab" || !inGame(event.target)) {
        event.stopPropagation();
        return;
      }
      if (!GAME_KEYS.includes(event.key)) return;
      event.stopPropagation();
      event.preventDefault();
      if (type !== "keydown" || !shown) return;
      game.classList.add("keyed");
      if (shown.menu) onMenu(event.key, event.repeat);
      else onBoard(event.key, event.repeat);
      showMark();
    }, true);
  }
  // The mark shows while the game has the keyboard; a pointer hides it until the next key.
  canvas.addEventListener("blur", () => { game.classList.remove("keyed"); showMark(); });
  const pointerCame = () => {
    game.classList.remove("keyed");
    keyed = {};
    showMark();
  };
  canvas.addEventListener("mousedown", (event) => { if (event.isTrusted) pointerCame(); });
  window.addEventListener("touchstart", pointerCame);

  return {
    // What the game shows now (seam.js): a new board puts the cursor on its middle cell.
    show(next) {
      const key = [next.board.left, next.board.top, next.board.cols, next.board.rows].join();
      if (key !== boardKey) {
        boardKey = key;
        cursor = { col: Math.floor((next.board.cols - 1) / 2), row: Math.floor((next.board.rows - 1) / 2) };
        cursor.col = Math.max(cursor.col, 0);
        cursor.row = Math.max(cursor.row, 0);
      }
      if (shown && shown.menu !== next.menu && next.menu) item = 0;
      for (const setting of Object.keys(keyed)) {
        if (!next.menu || next.settings[setting] === keyed[setting]) delete keyed[setting];
      }
      shown = next;
      showMark();
    },
    refresh: showMark,
  };
}
