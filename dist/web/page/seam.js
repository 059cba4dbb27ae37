// What passes between the page and the game, by name: every name that one side sets on Module
// and the other reads is declared in SEAM below, and the rest of the page goes through this
// module. A test (tests/web/page/seam.test.mjs, in the quick loop) holds both sides to it: the
// names the game's web bodies (src/platform/*_web.cpp) and the page's modules use on Module, and
// the names gameModule gives, so that a misspelt name fails in seconds.
//
// Elsewhere:
//   the font face "fonts/vera.ttf"      the page's font, which the browser's SDL_ttf draws
//                        with when the game opens that file (game_files.js)
//   waitForPageInput     the game's wait for input (event_wait_web.cpp), which resumes on the
//                        input events the page and its touch layer dispatch on the canvas
//   document.body.dataset.exitStatus    0, 1 or 2 once the game has ended, "failed" when the
//                        page could not go on; read by pages that embed the game, and tests
//   document.body.dataset.offline       "kept" once the offline worker has this build whole,
//                        "not kept" where it could not keep it; unset where there is no worker
//   #hashes              the name and hash of every file the page downloads, written by seal.py

export const SEAM = {
  // Set by the page (gameModule below), read by the game and Emscripten's runtime:
  pageGives: [
    "canvas",               // the canvas the browser's SDL draws on and takes input from
    "arguments",            // the command line (command_line.js)
    "noAudioDecoding",      // the browser's SDL_mixer leaves decoding to Web Audio: nothing
                            // waits on the browser's media elements
    "print", "printErr",    // the game's standard output and error, to the console
    "showMessageBox",       // (title, text): the game's message box (message_box_web.cpp)
    "instantiateWasm",      // the WebAssembly, fetched and checked by the page
    "preRun",               // the page holds the game's start until its first frame's
                            // files are in place
    "pictures",             // the pictures the browser has decoded, by path, which the game
                            // opens (game_files.js, picture_format_web.cpp)
    "placeSounds",          // (): a promise that the sounds are in place, which the game
                            // waits for before it opens them (sound_start_web.cpp)
    "onRuntimeInitialized", // the game is about to start
    "onExit",               // (status): the game has ended (program_end_web.cpp)
    "onAbort",              // (what): the runtime could not go on
    "gameShows",            // (shown): what the game's screen shows, after every event it
                            // handles (shown_part_web.cpp), its fields below
  ],
  // The fields of gameShows's shown, in the order the game writes them (in the game's pixels;
  // controls holds start, mines, rows, cols and quit, each an area and a slider's step).
  shown: ["menu", "part", "left", "top", "width", "height", "board", "left", "top", "cols",
    "rows", "settings", "minePercent", "rows", "cols", "game", "mines", "deals", "over",
    "cells", "controls", "left", "top", "right", "bottom", "step"],
  // Set by the game or its runtime, read by the page and its tests:
  gameGives: [
    "gameWaiting",          // true while the game waits for input, every input before it
                            // handled (event_wait_web.cpp)
    "FS",                   // the game's file system (-sEXPORTED_RUNTIME_METHODS=FS)
  ],
};

export function keepExitStatus(status) {
  document.body.dataset.exitStatus = String(status);
}

export function keepOfflineState(state) {
  document.body.dataset.offline = state;
}

// The Module object the game's script reads as it starts.
export function gameModule(page) {
  return {
    canvas: page.canvas,
    arguments: page.args,
    noAudioDecoding: true,
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    showMessageBox: page.showMessageBox,
    instantiateWasm: (imports, receive) => {
      page.compiled.then((module) => WebAssembly.instantiate(module, imports)
        .then((instance) => receive(instance, module)))
        .catch(page.failed);
      return {};
    },
    preRun: [() => {
      // The runtime's own functions, from the game's script.
      addRunDependency("files");
      page.picturesReady.then((placeFiles) => {
        placeFiles(window.Module);
        removeRunDependency("files");
      }, () => {});
    }],
    pictures: {},
    placeSounds: () => page.fetchSounds().then((placeFiles) => {
      placeFiles(window.Module);
      page.running();
    }),
    onRuntimeInitialized: page.started,
    onExit: page.ended,
    gameShows: page.shows,
    onAbort: (what) => page.failed({ message: "The game could not run: " + what }),
  };
}
