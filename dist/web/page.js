"use strict";
// Everything the page does around the game: it fits the game to the window, downloads the
// game's files and checks each against the hash written into index.html when the site was
// built, loads the font, passes the query string as the command line, and tells the player
// when the game has ended or could not start. What the page and the game pass each other by
// name is listed in README.md beside this file.
(function () {
  const $ = (id) => document.getElementById(id);
  const canvas = $("canvas");
  const game = $("game");

  // --- The game on every screen ------------------------------------------------------------

  const GAME_WIDTH = 800;
  const GAME_HEIGHT = 600;
  const bar = $("bar");

  // The largest 4:3 size that fits the window. The bar of help and controls goes below the
  // game or beside it where that costs the game nothing, else it goes.
  function fit() {
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    const scale = (w, h) => Math.max(0, Math.min(w / GAME_WIDTH, h / GAME_HEIGHT));
    const largest = scale(width, height);
    // The game's scale with the bar in each place, measured with the bar there.
    const scaleWithBar = {
      below: () => scale(width, height - bar.offsetHeight),
      beside: () => scale(width - bar.offsetWidth, height),
    };
    const placeBar = (place) => {
      document.body.classList.remove("below", "beside", "bare");
      document.body.classList.add(place);
    };
    let place = "bare";
    for (const candidate of ["below", "beside"]) {
      placeBar(candidate);
      if (scaleWithBar[candidate]() >= largest) {
        place = candidate;
        break;
      }
    }
    placeBar(place);
    game.style.width = GAME_WIDTH * largest + "px";
    game.style.height = GAME_HEIGHT * largest + "px";
    // Sharp where every game pixel is a whole number of the screen's pixels.
    const devicePixels = largest * (window.devicePixelRatio || 1);
    game.classList.toggle("sharp",
      devicePixels >= 1 && Math.abs(devicePixels - Math.round(devicePixels)) < 1e-3);
  }

  const fullScreen = $("fullscreen");
  const root = document.documentElement;
  const enterFullScreen = root.requestFullscreen || root.webkitRequestFullscreen;
  if (enterFullScreen) {
    fullScreen.hidden = false;
    fullScreen.addEventListener("click", () => {
      if (document.fullscreenElement || document.webkitFullscreenElement) {
        (document.exitFullscreen || document.webkitExitFullscreen).call(document);
      } else {
        enterFullScreen.call(root);
      }
      canvas.focus();
    });
  }

  // Measured with the bar as it will be, its controls shown.
  fit();
  window.addEventListener("resize", fit);

  // --- What the page shows when the game cannot go on --------------------------------------

  let ended = false;
  const statusKept = (status) => { document.body.dataset.exitStatus = String(status); };

  // A problem of the page's own: the title, then the text as paragraphs of plain text and
  // code, with a button to try again where that may help.
  function showProblem(title, parts, retry) {
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
  $("retry").addEventListener("click", () => location.reload());

  let started = false;
  function failed(what) {
    if (ended) return;
    showProblem(started ? "Dunmarrow stopped" : "Dunmarrow could not start", [what], true);
    statusKept("failed");
  }

  if (location.protocol === "file:") {
    showProblem("Dunmarrow needs a web server", [
      "Browsers do not let a page opened from a file load a game. Serve this folder, for " +
      "example with ", { code: "python3 -m http.server" }, " run in it, then open ",
      { code: "http://localhost:8000/" }, "."]);
    return;
  }
  if (typeof WebAssembly !== "object") {
    showProblem("This browser cannot play Dunmarrow", [
      "The game is built for WebAssembly, which this browser does not offer. Any current " +
      "Chrome, Edge, Firefox or Safari plays it."]);
    return;
  }

  // The end of the game, with its exit status: Quit (0), a fatal error (1), a refused
  // command line (2).
  function end(status) {
    if (ended) return;
    ended = true;
    statusKept(Number.isInteger(status) ? status : "failed");
    $("loading").hidden = true;
    $("ended").hidden = false;
    $("ended-note").hidden = false;
    $("again").focus();
  }
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
    failed("The game stopped with an error: " + String(event.message || event.error));
  });
  // A sound the browser cannot decode is simply not heard, as on the desktop.
  window.addEventListener("unhandledrejection", (event) => {
    if (event.reason && event.reason.name === "EncodingError") {
      console.warn("A sound could not be decoded; it will not be heard.");
      event.preventDefault();
    }
  });

  // --- The command line ---------------------------------------------------------------------

  // Each &-separated word of the query string is one argument, exactly as typed. Words of the
  // form name=value are the web's own parameters (a portal's or a social network's), and an
  // empty word is only a separator: neither reaches the game. A word with a NUL in it could
  // not reach the game whole, so the game is given what it will refuse.
  function commandLine() {
    const words = location.search.slice(1).split("&");
    const args = [];
    for (const word of words) {
      if (word === "" || /^[^-][^=]*=/.test(word)) continue;
      let text = word;
      try { text = decodeURIComponent(word); } catch (e) { /* kept as typed */ }
      args.push(text.replace(/\0/g, "\uFFFD"));
    }
    return args;
  }

  // --- The game's files, each checked against its hash ---------------------------------------

  // Asking which audio devices there are starts the browser's audio service now, in the
  // background, while the files download. Started by the game's audio context instead, just
  // before its first picture, it held that picture back by a tenth of a second or more in a
  // browser just started.
  const args = commandLine();
  if (!args.includes("-nosound") && navigator.mediaDevices && navigator.mediaDevices.enumerateDevices) {
    navigator.mediaDevices.enumerateDevices().catch(() => {});
  }

  const hashes = JSON.parse($("hashes").textContent);
  const files = Object.keys(hashes);
  let filesIn = 0;
  const progress = $("progress");
  progress.max = files.length;
  progress.value = 0;
  progress.hidden = false;
  $("status").textContent = "Downloading\u2026";
  const arrived = () => {
    progress.value = ++filesIn;
    if (filesIn === files.length) $("status").textContent = "Starting\u2026";
  };

  // Resolves to the response, or to null for a file missing from the site where that is for
  // the game to judge. A file that did not download whole and unchanged is named to the
  // player, and the game never starts.
  function download(file, missingIsFine) {
    return fetch(file, { integrity: hashes[file], credentials: "same-origin" }).then(
      (response) => {
        if (!response.ok && !missingIsFine) throw new Error("The file " + file + " did not download.");
        arrived();
        return response.ok ? response : null;
      },
      () => { throw new Error("The file " + file + " did not download intact."); });
  }
  const fail = (error) => failed(error.message);

  // The game's script first, the largest of what it needs before it starts; it runs once this
  // script has set up Module below.
  const script = document.createElement("script");
  script.src = "dunmarrow.js";
  script.integrity = hashes["dunmarrow.js"];
  script.onload = arrived;
  script.onerror = () => failed("The file dunmarrow.js did not download intact.");
  document.body.appendChild(script);

  const wasm = download("dunmarrow.wasm").then((response) =>
    WebAssembly.compileStreaming && response.headers.get("content-type") === "application/wasm"
      ? WebAssembly.compileStreaming(response)
      : response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes)));
  // The browser's SDL_ttf draws with the page's font of the name the game opens. Without it
  // the game plays on in the browser's own font, as the desktop plays on without its texts.
  const font = download("fonts/vera.ttf", true).then((response) => {
    if (!response) {
      console.warn("fonts/vera.ttf did not download; the menu uses another font");
      return;
    }
    return response.arrayBuffer()
      .then((bytes) => new FontFace("fonts/vera.ttf", bytes).load())
      .then((face) => document.fonts.add(face));
  });
  // The pictures and sounds, as the game finds them on the desktop: a file missing from the
  // site is missing for the game too, which judges that as it does there. Each picture is
  // decoded by the browser as soon as it arrives, away from the page's thread, where the game
  // would decode them one after another before its first picture.
  const gameFiles = files.filter((file) => /^(gfx|sfx)\//.test(file)).map((file) =>
    download(file, true).then((response) => response && response.arrayBuffer()).then((bytes) => {
      if (!bytes) return { file };
      const content = new Uint8Array(bytes);
      return decodedPicture(file, content).then((picture) => ({ file, content, picture }));
    }));
  const everything = Promise.all([wasm, font, Promise.all(gameFiles)]);
  everything.catch(fail);

  // Only a PNG that is whole is decoded, since the browser would draw what it could of a
  // damaged one. The game finds no picture for any other, and refuses it as the desktop
  // refuses a damaged picture.
  function decodedPicture(file, content) {
    if (!file.endsWith(".png") || !isWholePng(content)) return Promise.resolve(null);
    // As the file holds it: the desktop applies no colour profile either.
    return createImageBitmap(new Blob([content], { type: "image/png" }),
      { colorSpaceConversion: "none" }).catch(() => null);
  }

  // Into the game's file system, where it opens them, with the pictures already decoded.
  function placeGameFiles(placed) {
    const FS = Module.FS;
    for (const { file, content, picture } of placed) {
      if (!content) continue;
      const [folder, name] = file.split("/");
      if (!FS.analyzePath("/" + folder).exists) FS.mkdir("/" + folder);
      FS.writeFile("/" + file, content);
      if (picture) Module.preloadedImages["/" + file] = picture;
    }
  }

  window.Module = {
    canvas: canvas,
    arguments: args,
    // The sounds are decoded by Web Audio from the game's files: nothing waits on the
    // browser's media elements, which a background tab does not load.
    noAudioDecoding: true,
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    // The game's message box: its title and text over the game, as the last thing it shows.
    showMessageBox: (title, text) => {
      $("box-title").textContent = title;
      $("box-text").textContent = text;
      $("box").hidden = false;
      $("ended").hidden = false;
    },
    instantiateWasm: (imports, receive) => {
      wasm.then((module) => WebAssembly.instantiate(module, imports)
        .then((instance) => receive(instance, module)))
        .catch(fail);
      return {};
    },
    preRun: [() => {
      addRunDependency("files");
      everything.then(([, , placed]) => {
        placeGameFiles(placed);
        removeRunDependency("files");
      }, () => {});
    }],
    onRuntimeInitialized: () => {
      started = true;
      $("loading").hidden = true;
      canvas.focus();
    },
    onExit: end,
    onAbort: (what) => failed("The game could not run: " + what),
  };

  // A PNG as a reader that checks it takes it, as the desktop's does: the signature, then
  // chunks each whole with its checksum, IHDR first and IEND last.
  const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  function isWholePng(bytes) {
    const SIGNATURE = [137, 80, 78, 71, 13, 10, 26, 10];
    if (bytes.length < 8 || SIGNATURE.some((byte, i) => bytes[i] !== byte)) return false;
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    for (let at = 8, first = true; at + 12 <= bytes.length; first = false) {
      const length = view.getUint32(at);
      const end = at + 8 + length;
      if (end + 4 > bytes.length) return false;
      const type = String.fromCharCode(...bytes.subarray(at + 4, at + 8));
      if (first !== (type === "IHDR")) return false;
      let crc = 0xffffffff;
      for (let i = at + 4; i < end; i++) crc = CRC_TABLE[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
      if (((crc ^ 0xffffffff) >>> 0) !== view.getUint32(end)) return false;
      if (type === "IEND") return true;
      at = end + 4;
    }
    return false;
  }

  // --- Input that belongs to the game --------------------------------------------------------

  // A right release flags a cell: no menu of the browser's over the game or its notes.
  game.addEventListener("contextmenu", (event) => event.preventDefault());
  canvas.addEventListener("mousedown", () => canvas.focus());
  // Escape goes to the game, not to the page (which would leave full screen or stop loading).
  window.addEventListener("keydown", (event) => {
    if (event.key === "Escape") event.preventDefault();
  });
})();
