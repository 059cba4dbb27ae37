// What passes between the page and the game, by name: every name that one side sets and the
// other reads is declared here, and the rest of the page goes through this module.
//
// Read by the game (src/platform/*_web.cpp) and Emscripten's runtime, from Module:
//   canvas               the canvas the browser's SDL draws on and takes input from
//   arguments            the command line (command_line.js)
//   noAudioDecoding      the browser's SDL_mixer leaves decoding to Web Audio, when the game
//                        loads a sound: nothing waits on the browser's media elements
//   showMessageBox(title, text)   the game's message box (message_box_web.cpp)
//   instantiateWasm      the WebAssembly, fetched and checked by the page
//   preRun               the page holds the game's start until its files are in place
//   onRuntimeInitialized the game is about to start
//   onExit(status)       the game has ended (program_end_web.cpp, through the runtime)
//   onAbort(what)        the runtime could not go on
//   gameShows(shown)     what the game's screen shows, after every event it handles
//                        (shown_part_web.cpp): { menu, part: { left, top, width, height },
//                        board: { left, top, cols, rows }, settings: { minePercent, rows,
//                        cols } }, in the game's pixels
// Set by the runtime, read by the page:
//   Module.FS, Module.preloadedImages   the game's file system (-sEXPORTED_RUNTIME_METHODS=FS)
//                        and the pictures the browser has decoded, by path (game_files.js)
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
      page.filesReady.then((placeFiles) => {
        placeFiles(window.Module);
        removeRunDependency("files");
      }, () => {});
    }],
    onRuntimeInitialized: page.started,
    onExit: page.ended,
    gameShows: page.shows,
    onAbort: (what) => page.failed({ message: "The game could not run: " + what }),
  };
}
