// The page around the game: it fits the game to the window, downloads the game's files and
// checks each against its hash, loads the font, passes the query string as the command line,
// lets fingers play, and tells the player when the game has ended or could not start. Each
// job is a module of its own; what passes between the page and the game is in seam.js.

import { commandLine } from "./command_line.js";
import { loadGameScript, showProgress } from "./downloads.js";
import { keepDragsWhileHeld } from "./drag.js";
import { fingers, keepFitted } from "./fit.js";
import { offerFlagMode } from "./flag_mode.js";
import { compileGame, decodePictures, downloadPack, downloadSounds, loadFont, placeGameFiles }
  from "./game_files.js";
import { offerMenuControl } from "./menu_key.js";
import { end, failed, gameStarted, listenForTheEnd, showMessageBox, showProblem } from "./messages.js";
import { keepForOffline } from "./offline.js";
import { playByKeyboard } from "./keyboard.js";
import { gameModule, keepExitStatus, keepOfflineState } from "./seam.js";
import { playByTouch } from "./touch.js";

const $ = (id) => document.getElementById(id);
const canvas = $("canvas");
const game = $("game");

// Only where full screen is allowed: a frame without allow="fullscreen" has the functions but
// refuses them.
function offerFullScreen() {
  const root = document.documentElement;
  const enter = root.requestFullscreen || root.webkitRequestFullscreen;
  if (!enter || !(document.fullscreenEnabled || document.webkitFullscreenEnabled)) return;
  const control = $("fullscreen");
  control.hidden = false;
  control.addEventListener("click", () => {
    if (document.fullscreenElement || document.webkitFullscreenElement) {
      (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    } else {
      enter.call(root);
    }
    canvas.focus();
  });
}

// The game's script, its WebAssembly (compiled as it arrives) and the pack of its font and
// pictures, whose requests the page's hints made already: started before anything else of the
// page. The game starts once these are in; it asks for its sounds (placeSounds) once its first
// frame is shown.
function startDownloads() {
  const fail = (error) => failed(error.message);
  loadGameScript(failed);
  const compiled = compileGame();
  const packed = downloadPack();
  const pictures = packed.then(decodePictures);
  const placing = (arrived) => {
    arrived.catch(fail);
    const place = arrived.then((files) => (Module) => placeGameFiles(Module, files));
    place.catch(() => {});
    return place;
  };
  const picturesReady = placing(Promise.all([compiled, packed.then(loadFont), pictures])
    .then(([, , decoded]) => decoded));
  return { compiled, picturesReady, fetchSounds: () => placing(downloadSounds()), fail };
}

// The page's help and controls, and the game fitted to the window.
function fitPage() {
  offerFullScreen();
  // The help says how to play here: by finger, or by mouse and keyboard.
  $("help").textContent = fingers
    ? "Tap opens; hold, or tap with two fingers, to flag; Menu shows the menu."
    : "Left release opens, right release flags, Escape shows the menu. Keys: arrows move, " +
      "Enter opens, Space flags.";
  return { flagMode: offerFlagMode($("flag-mode"), fingers),
    view: keepFitted(game, canvas, $("bar"), $("reader")) };
}

// The ways to play: keys, fingers and the Menu control. Returns what the page does with each
// screen the game shows.
function playPage({ flagMode, view }) {
  let shown = { menu: true };
  const keys = playByKeyboard(canvas, game, $("mark"), $("reader"), $("said"));
  playByTouch(canvas, game, $("press"), {
    tapFlags: () => flagMode.isOn() && !shown.menu,
    // Where fingers play the view zooms and pans on the board, never on the menu; with a mouse
    // the whole screen stays as it is.
    pinch: (factor, x, y) => {
      if (fingers && !shown.menu) { view.pinch(factor, x, y); keys.refresh(); }
    },
    pan: (dx, dy) => { if (fingers && !shown.menu) { view.pan(dx, dy); keys.refresh(); } },
  });
  offerMenuControl($("menu"), canvas);
  keepDragsWhileHeld(canvas);
  // A right release flags a cell: no menu of the browser's over the game or its notes.
  game.addEventListener("contextmenu", (event) => event.preventDefault());
  canvas.addEventListener("mousedown", () => canvas.focus());
  return (next) => {
    shown = next;
    view.show(next.part);
    keys.show(next);
  };
}

function start() {
  // The page's own scripts arrived and run: boot.js need not speak for them.
  window.dunmarrowPageRuns = true;
  $("no-page").remove();
  const canStart = !window.dunmarrowCannotStart && typeof WebAssembly === "object";
  const { compiled, picturesReady, fetchSounds, fail } = canStart ? startDownloads() : {};
  const page = fitPage();
  if (window.dunmarrowCannotStart) return;
  listenForTheEnd();
  if (!canStart) {
    showProblem("This browser cannot play Dunmarrow", [
      "The game is built for WebAssembly, which this browser does not offer. Any current " +
      "Chrome, Edge, Firefox or Safari plays it."]);
    keepExitStatus("failed");
    return;
  }

  showProgress();
  window.Module = gameModule({
    canvas,
    args: commandLine(location.search),
    showMessageBox,
    compiled,
    picturesReady,
    fetchSounds,
    started: () => {
      $("loading").hidden = true;
      canvas.focus();
    },
    // Until then, a file that fails means the game could not start; and the offline worker,
    // which downloads the whole site again, waits until the game's first frame is shown.
    running: () => {
      gameStarted();
      keepForOffline((kept) => {
        $("not-kept").hidden = kept;
        keepOfflineState(kept ? "kept" : "not kept");
      });
    },
    ended: end,
    failed: fail,
    shows: playPage(page),
  });
}

start();
