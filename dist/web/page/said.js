// What a screen reader is told of the game, without the page: each cell's words, the menu's
// values, and what just happened, from what the game showed before and what it shows now
// (seam.js's gameShows). reader.js puts them on the page; tested under Node (tests/web/page).

// The words for a cell as the game reports it ('-' covered, 'f' flagged, '0' to '8', '*').
export function cellWords(state) {
  if (state === "-") return "covered";
  if (state === "f") return "flagged";
  if (state === "*") return "mine";
  if (state === "0") return "empty";
  return state;
}

// A cell, as a reader reads it where the cursor stands.
export function cellName(row, col, state) {
  return `Row ${row + 1}, column ${col + 1}: ${cellWords(state)}`;
}

// The sliders as the game labels them, with their values as it writes them.
export const SLIDER_NAMES = { mines: "Number of mines", rows: "Size X", cols: "Size Y" };
export function sliderValue(name, value) {
  return name === "mines" ? `${value}%` : String(value);
}

// What happened between two reports of the game, in a sentence, or "" for nothing worth
// saying (a pointer's motion, a slider, whose own value a reader reads).
export function whatHappened(before, now) {
  if (!now || now.menu) return before && !before.menu ? "The menu." : "";
  const game = now.game;
  const { rows, cols } = now.board;
  const size = `${rows} ${rows === 1 ? "row" : "rows"} of ${cols}, ${game.mines} ${game.mines === 1 ? "mine" : "mines"}`;
  if (!before || before.game.deals !== game.deals) return `A new game: ${size}.`;
  const nextGame = "Space or a right click starts the next game.";
  if (game.over && !before.game.over) {
    // (A board of mines alone counts as cleared from the start: a mine shown is the loss.)
    return game.cells.includes("*") ? `A mine! The game is lost. ${nextGame}`
      : `Every safe cell is open: you win! ${nextGame}`;
  }
  if (before.menu) return `Back to the game: ${size}.`;
  const was = before.game.cells;
  const is = game.cells;
  if (was.length !== is.length) return "";
  const changed = [];
  for (let i = 0; i < is.length; i++) if (was[i] !== is[i]) changed.push(i);
  if (changed.length === 0) return "";
  const where = (i) => `row ${Math.floor(i / cols) + 1}, column ${(i % cols) + 1}`;
  if (changed.length === 1) {
    const i = changed[0];
    if (is[i] === "f") return `Flag set on ${where(i)}.`;
    if (was[i] === "f" && is[i] === "-") return `Flag taken off ${where(i)}.`;
    return `Opened ${where(i)}: ${cellWords(is[i])}.`;
  }
  const covered = [...is].filter((state) => state === "-" || state === "f").length;
  return `${changed.length} cells opened; ${covered} still covered.`;
}
