// The keyboard's rules and what a screen reader is told, without a page: which keys the page
// takes, the pixels its pointer events reach at any scale, where the cursor and the highlight
// go, and the sentences for what happens.
import assert from "node:assert/strict";
import { test } from "node:test";
import { keyRoute, keyboardRules, pagePixelFor, sliderValueAt } from "../../../dist/web/page/keys.js";
import { cellName, whatHappened } from "../../../dist/web/page/said.js";

// The browser keeps every key but those the game is played with.
const ROUTES = [
  ["ArrowUp", {}, "play"], ["Enter", {}, "play"], [" ", {}, "play"], ["Escape", {}, "game"],
  ["Tab", {}, "browser"], ["Tab", { shiftKey: true }, "browser"], ["F5", {}, "browser"],
  ["r", { ctrlKey: true }, "browser"], ["=", { ctrlKey: true }, "browser"],
  ["ArrowLeft", { altKey: true }, "browser"], ["ArrowLeft", { ctrlKey: true }, "browser"],
  ["Enter", { metaKey: true }, "browser"], ["ArrowDown", { shiftKey: true }, "browser"],
  ["Escape", { ctrlKey: true }, "browser"], ["Control", { ctrlKey: true }, "browser"],
  ["F12", {}, "browser"], ["q", {}, "browser"],
];
for (const [key, held, route] of ROUTES) {
  test(`${Object.keys(held).join("+")} ${key}: ${route}`, () =>
    assert.equal(keyRoute({ key, ...held }), route));
}

// Where the game's first pixel lies on the page, and page pixels a game pixel: whole, and the
// fractions of windows and zooms players have.
const SCALES = [[0, 1], [0, 2], [33.5, 7 / 6], [17.25, 1.5 * 1.1], [4.2, 1.389], [0, 0.45], [12, 0.75]];

// The browser's SDL reads a whole page pixel as floor((page - start) / scale).
const gamePixel = (page, start, scale) => Math.floor((page - start) / scale);

test("a page pixel given for a game pixel is read as that game pixel, at every scale", () => {
  for (const [start, scale] of SCALES) {
    for (let x = 0; x < 800; x++) {
      const page = pagePixelFor(x, start, scale);
      if (scale >= 1) assert.notEqual(page, null, `game pixel ${x} at ${scale}`);
      if (page !== null) {
        assert.ok(Number.isInteger(page));
        assert.equal(gamePixel(page, start, scale), x, `game pixel ${x} at ${scale}`);
      }
    }
  }
});

// The game as it stands on the menu, with 20 %, 10 rows and 10 columns, and its controls as it
// tells them.
const track = (middle, step) => ({ left: 320, top: middle - 4, right: 411, bottom: middle + 4, step });
const MENU_SHOWN = { menu: true, board: { left: 250, top: 150, cols: 10, rows: 10 },
  settings: { minePercent: 20, rows: 10, cols: 10 },
  controls: { start: { left: 333, top: 176, right: 467, bottom: 205, step: 0 },
    mines: track(250, 1), rows: track(300, 4.5), cols: track(350, 3.5),
    quit: { left: 365, top: 396, right: 436, bottom: 428, step: 0 } } };

// Keys on a slider, played through the page at a scale as the browser would read them: the
// slider's value after each run of keys, with the game reporting after every key.
function stepSliders(start, scale, keys) {
  const reaches = (x) => pagePixelFor(x, start, scale) !== null;
  const rules = keyboardRules(reaches);
  let shown = structuredClone(MENU_SHOWN);
  rules.show(shown);
  const names = { 250: ["mines", "minePercent"], 300: ["rows", "rows"], 350: ["cols", "cols"] };
  for (const key of keys) {
    let held = false;
    for (const event of rules.key(key)) {
      const page = pagePixelFor(event.x, start, scale) ?? Math.floor(start + (event.x + 0.5) * scale);
      const x = gamePixel(page, start, scale);
      if (event.type === "mousedown") held = true;
      if (event.type === "mousemove" && held && names[event.y]) {
        const [name, setting] = names[event.y];
        shown = { ...shown, settings: { ...shown.settings, [setting]: sliderValueAt(shown.controls[name], x) } };
        rules.show(shown);
      }
      if (event.type === "mouseup") held = false;
    }
  }
  return [shown.settings.minePercent, shown.settings.rows, shown.settings.cols];
}

test("each press moves its slider by exactly one, at every scale", () => {
  const keys = ["ArrowDown", "ArrowLeft", "ArrowDown", "ArrowRight", "ArrowRight", "ArrowRight",
    "ArrowDown", "ArrowLeft", "ArrowLeft"];
  for (const [start, scale] of SCALES.filter(([, s]) => s >= 1)) {
    assert.deepEqual(stepSliders(start, scale, keys), [19, 13, 8], `at ${scale}`);
  }
});

test("Enter on Start and on Quit releases in the middle of each", () => {
  const rules = keyboardRules();
  rules.show(MENU_SHOWN);
  const at = (events) => events.map(({ type, x, y }) => `${type} ${x},${y}`).join(" ");
  assert.equal(at(rules.key("Enter")), "mousemove 400,190 mousedown 400,190 mouseup 400,190");
  for (let i = 0; i < 4; i++) rules.key("ArrowDown");
  assert.equal(at(rules.key("Enter")), "mousemove 400,412 mousedown 400,412 mouseup 400,412");
});

test("a slider stops at its ends", () => {
  const down = (n, key, times) => [...Array(n).fill("ArrowDown"), ...Array(times).fill(key)];
  assert.deepEqual(stepSliders(0, 7 / 6, down(1, "ArrowLeft", 25)), [0, 10, 10]);
  assert.deepEqual(stepSliders(0, 7 / 6, down(2, "ArrowRight", 15)), [20, 20, 10]);
  assert.deepEqual(stepSliders(0, 7 / 6, down(3, "ArrowRight", 20)), [20, 10, 26]);
});

// The cursor on a 3 x 4 board: from its middle, never off it; Enter and Space release on it.
test("the cursor moves within the board, and Enter and Space release on its cell", () => {
  const rules = keyboardRules();
  rules.show({ ...MENU_SHOWN, menu: false, board: { left: 340, top: 255, cols: 4, rows: 3 } });
  assert.deepEqual(rules.cursor, { col: 1, row: 1 });
  for (const key of ["ArrowRight", "ArrowRight", "ArrowRight", "ArrowUp", "ArrowUp"]) rules.key(key);
  assert.deepEqual(rules.cursor, { col: 3, row: 0 });
  const release = (events) => events.map(({ type, x, y, button }) => `${type} ${x},${y} ${button}`);
  assert.deepEqual(release(rules.key("Enter")).slice(1), ["mousedown 445,270 0", "mouseup 445,270 0"]);
  assert.deepEqual(release(rules.key(" ")).slice(1), ["mousedown 445,270 2", "mouseup 445,270 2"]);
  assert.deepEqual(rules.key("Enter", true), [], "a key held down never releases twice");
  assert.deepEqual(rules.mark(), { x: 430, y: 255, w: 30, h: 30 });
});

// What a screen reader hears: BEFORE, NOW (cells and the game's state), the sentence.
const board = (cells, { deals = 1, over = false, menu = false, rows = 2, cols = 2 } = {}) => ({
  menu, board: { left: 370, top: 270, cols, rows }, settings: MENU_SHOWN.settings,
  game: { mines: 1, deals, over, cells },
});
const HAPPENINGS = [
  ["a new game", null, board("----"), "A new game: 2 rows of 2, 1 mine."],
  ["the next game", board("12*-", { over: true }), board("----", { deals: 2 }), "A new game: 2 rows of 2, 1 mine."],
  ["a flag set", board("----"), board("-f--"), "Flag set on row 1, column 2."],
  ["a flag taken off", board("-f--"), board("----"), "Flag taken off row 1, column 2."],
  ["a number opened", board("----"), board("---3"), "Opened row 2, column 2: 3."],
  ["a region opened", board("----", { rows: 1, cols: 4 }), board("001-", { rows: 1, cols: 4 }),
    "3 cells opened; 1 still covered."],
  ["the loss", board("----"), board("*---", { over: true }),
    "A mine! The game is lost. Space or a right click starts the next game."],
  ["the win", board("f---"), board("f123", { over: true }),
    "Every safe cell is open: you win! Space or a right click starts the next game."],
  ["the menu shown", board("----"), board("----", { menu: true }), "The menu."],
  ["back to the game", board("-f--", { menu: true }), board("-f--"), "Back to the game: 2 rows of 2, 1 mine."],
  ["a pointer's motion", board("-f--"), board("-f--"), ""],
];
for (const [name, before, now, sentence] of HAPPENINGS) {
  test(`a screen reader hears ${name}`, () => assert.equal(whatHappened(before, now), sentence));
}

test("a cell reads its row, its column and its state", () => {
  assert.deepEqual(["-", "f", "0", "5", "*"].map((state) => cellName(2, 7, state)),
    ["Row 3, column 8: covered", "Row 3, column 8: flagged", "Row 3, column 8: empty",
      "Row 3, column 8: 5", "Row 3, column 8: mine"]);
});
