// The game as a screen reader meets it: over the canvas, unseen, the menu's Start and Quit as
// buttons and its three sliders as sliders with the game's values, or the board as a grid of
// its cells, each laid over the game's pixels (so that a finger exploring the screen finds
// them); and a live region that tells what just happened (said.js). The keyboard's highlight or
// cursor is the element that has the focus, so a reader reads it as it moves. A reader's own
// activation of a control or a cell (a click on it) does what Enter does there.

import { MENU_ITEMS, SLIDERS, controlBox, sliderValueAt } from "./keys.js";
import { SLIDER_NAMES, cellName, sliderValue, whatHappened } from "./said.js";

const CELL = 30;

// A box of the game's pixels as a place over the 800 x 600 canvas, which the layer covers.
function place(element, { x, y, w, h }) {
  Object.assign(element.style, { left: x / 8 + "%", top: y / 6 + "%", width: w / 8 + "%",
    height: h / 6 + "%" });
}

// page: { choose(name), openCell(row, col) }: what a reader's click on a control or a cell does.
export function readerLayer(reader, said, page) {
  const menu = document.createElement("div");
  menu.setAttribute("role", "group");
  menu.setAttribute("aria-label", "Dunmarrow's menu");
  const items = {};
  for (const name of MENU_ITEMS) {
    const slider = Boolean(SLIDERS[name]);
    const item = document.createElement(slider ? "div" : "button");
    if (slider) {
      item.setAttribute("role", "slider");
      item.setAttribute("aria-label", SLIDER_NAMES[name]);
      item.setAttribute("aria-valuemin", "0");
    } else {
      item.textContent = name === "start" ? "Start" : "Quit";
    }
    item.id = "reader-" + name;
    item.tabIndex = -1;
    item.addEventListener("click", () => page.choose(name));
    items[name] = item;
    menu.append(item);
  }
  const grid = document.createElement("div");
  grid.id = "reader-board";
  grid.setAttribute("role", "grid");
  grid.setAttribute("aria-label", "The board");
  grid.hidden = true;
  reader.append(menu, grid);

  let shown = null;
  let layout = "";
  let cells = [];
  let current = null;

  function buildGrid(board) {
    grid.replaceChildren();
    cells = [];
    grid.setAttribute("aria-rowcount", String(board.rows));
    grid.setAttribute("aria-colcount", String(board.cols));
    for (let row = 0; row < board.rows; row++) {
      const line = document.createElement("div");
      line.setAttribute("role", "row");
      for (let col = 0; col < board.cols; col++) {
        const cell = document.createElement("div");
        cell.setAttribute("role", "gridcell");
        cell.tabIndex = -1;
        place(cell, { x: board.left + col * CELL, y: board.top + row * CELL, w: CELL, h: CELL });
        cell.addEventListener("click", () => page.openCell(row, col));
        line.append(cell);
        cells.push(cell);
      }
      grid.append(line);
    }
  }

  return {
    // What the game shows now: the menu's values, or the board's cells; and what happened.
    show(next) {
      menu.hidden = !next.menu;
      grid.hidden = next.menu;
      // (Where the game has its controls, each laid over its own.)
      for (const name of MENU_ITEMS) place(items[name], controlBox(next.controls[name], SLIDERS[name]));
      for (const name of Object.keys(SLIDERS)) {
        const value = next.settings[SLIDERS[name]];
        const control = next.controls[name];
        items[name].setAttribute("aria-valuemax", String(sliderValueAt(control, control.right)));
        items[name].setAttribute("aria-valuenow", String(value));
        items[name].setAttribute("aria-valuetext", sliderValue(name, value));
      }
      // (The grid is laid out once the board shows: none of it before the game's first frame.)
      const board = next.board;
      const key = [board.left, board.top, board.cols, board.rows].join();
      if (key !== layout && !next.menu) {
        layout = key;
        buildGrid(board);
      }
      const states = next.game.cells;
      for (let i = 0; i < cells.length && key === layout; i++) {
        if (shown && shown.game.cells[i] === states[i] && cells[i].textContent) continue;
        cells[i].textContent = cellName(Math.floor(i / board.cols), i % board.cols, states[i]);
      }
      const sentence = whatHappened(shown, next);
      if (sentence) said.textContent = sentence;
      shown = next;
    },
    // The element that stands for the highlight (NAME) or the cursor's cell: the game's one
    // stop in the Tab order, and the focus while the game has the keyboard.
    mark(name, cursor) {
      const next = shown && !shown.menu ? cells[cursor.row * shown.board.cols + cursor.col]
        : items[name];
      if (next === current) return;
      const focused = current && document.activeElement === current;
      if (current) current.tabIndex = -1;
      current = next || null;
      if (!current) return;
      current.tabIndex = 0;
      if (focused) current.focus({ preventScroll: true });
    },
    // The keyboard's focus, wherever it stood in the game, on that element.
    focus() {
      if (current && document.activeElement !== current) current.focus({ preventScroll: true });
      return Boolean(current);
    },
    contains: (element) => reader.contains(element),
  };
}
