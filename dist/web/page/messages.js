// What the page shows when the game cannot go on: a problem of the page's own (with Try again
// where that may help), the game's end with its exit status, and the game's message box. The
// status is kept where the embedding page and the tests read it (seam.js).

import { keepExitStatus } from "./seam.js";

const $ = (id) => document.getElementById(id);
let ended = false;
let started = false;

export const hasEnded = () => ended;
export const gameStarted = () => { started = true; };

// The title, then the text: runs of plain text and of code ({ code: "..." }).
export function showProblem(title, parts, retry) {
  ended = true;
  $("loading").hidden = true;
  $("problem-title").textContent = title;
  const text = $("problem-text");
  text.textContent = "";
  for (const part of parts) {
    const node = document.createElement(part.code ? "code" : "span");
    node.textContent = part.code || part;
    text.appendChild(node);
  }
  $("retry").hidden = !retry;
  $("problem").hidden = false;
}

// The page could not go on: before the game started, or while it played.
export function failed(what) {
  if (ended) return;
  showProblem(started ? "Dunmarrow stopped" : "Dunmarrow could not start", [what], true);
  keepExitStatus("failed");
}

// The end of the game, with its exit status: Quit (0), a fatal error (1), a refused command
// line (2).
export function end(status) {
  if (ended) return;
  ended = true;
  keepExitStatus(Number.isInteger(status) ? status : "failed");
  $("loading").hidden = true;
  $("ended").hidden = false;
  $("ended-note").hidden = false;
  $("again").focus();
}

// The game's message box: its title and text over the game, as the last thing it shows.
export function showMessageBox(title, text) {
  $("box-title").textContent = title;
  $("box-text").textContent = text;
  $("box").hidden = false;
  $("ended").hidden = false;
}

export function listenForTheEnd() {
  $("retry").addEventListener("click", () => location.reload());
  // After a refusal the same address would be refused again: the plain game instead.
  $("again").addEventListener("click", () => {
    if (document.body.dataset.exitStatus === "2") location.assign(location.pathname);
    else location.reload();
  });
  window.addEventListener("error", (event) => {
    // How the runtime unwinds out of the game once it has ended: no fault.
    if (event.error && event.error.name === "ExitStatus") {
      event.preventDefault();
      return;
    }
    // Every script of the page's and the game's is loaded so that its errors are told in
    // full; "Script error." with nothing more comes from a script that is not ours (an
    // extension's, a portal's), and must not end a game that plays.
    if (!event.error && event.message === "Script error.") {
      console.warn("An error in a script that is not the game's: ignored.");
      return;
    }
    // The browser's note that a layout fitted to the window changed the window's content again
    // within one frame (the page fits the game on every size): it waits for the next frame, and
    // nothing failed.
    if (!event.error && /^ResizeObserver loop/.test(event.message)) return;
    failed("The game stopped with an error: " + String(event.message || event.error));
  });
  // A sound the browser cannot decode is simply not heard, as on the desktop.
  window.addEventListener("unhandledrejection", (event) => {
    if (event.reason && event.reason.name === "EncodingError") {
      console.warn("A sound could not be decoded; it will not be heard.");
      event.preventDefault();
    }
  });
}
