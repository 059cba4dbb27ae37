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

  // Where fingers play there is no Escape key, and the bar's Menu control must stay.
  const fingers = Boolean(window.matchMedia && window.matchMedia("(pointer: coarse)").matches);

  // The largest 4:3 size that fits the window. The bar of help and controls goes below the
  // game or beside it where that costs the game nothing, else it goes; where fingers play it
  // stays, wherever the game keeps the most.
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
    let shown = largest;
    let best = 0;
    for (const candidate of ["below", "beside"]) {
      placeBar(candidate);
      const withBar = scaleWithBar[candidate]();
      if (withBar >= largest) {
        place = candidate;
        break;
      }
      if (fingers && withBar > best) {
        [place, shown, best] = [candidate, withBar, withBar];
      }
    }
    placeBar(place);
    game.style.width = GAME_WIDTH * shown + "px";
    game.style.height = GAME_HEIGHT * shown + "px";
    // Sharp where every game pixel is a whole number of the screen's pixels.
    const devicePixels = shown * (window.devicePixelRatio || 1);
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

  // Where fingers play, the help says how.
  if (fingers) {
    $("help").textContent = "Tap opens; hold, or tap with two fingers, to flag; Menu shows the menu.";
  }

  // Measured with the bar as it will be, its controls shown; again whenever the window's size
  // changes. An observer hears of a size once it is laid out; WebKit has been seen to leave
  // a page loading while its window grew at the size it started with.
  fit();
  if (window.ResizeObserver) new ResizeObserver(() => fit()).observe(root);
  else window.addEventListener("resize", fit);

  // --- What the page shows when the game cannot go on --------------------------------------

  let ended = false;
  const statusKept = (status) => { document.body.dataset.exitStatus = String(status); };

  // A problem of the page's own: the title, then the text, runs of plain text and of code, with
  // a button to try again where that may help.
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

  const args = commandLine();

  // --- Sound --------------------------------------------------------------------------------

  // Asking which audio devices there are starts the browser's audio service now, in the
  // background, while the files download. Started by the game's audio context instead, just
  // before its first picture, it held that picture back by a tenth of a second or more in a
  // browser just started.
  if (!args.includes("-nosound") && navigator.mediaDevices && navigator.mediaDevices.enumerateDevices) {
    navigator.mediaDevices.enumerateDevices().catch(() => {});
  }

  // --- The game's files, each checked against its hash ---------------------------------------

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

  // Once the game runs, the offline worker keeps this build for playing without the network
  // (where the browser offers one: over https, or from this machine). It starts after the
  // game, so as not to compete with its start.
  function keepForOffline() {
    if (!("serviceWorker" in navigator) || !window.isSecureContext) return;
    setTimeout(() => {
      navigator.serviceWorker.register("service-worker.js")
        .catch((error) => console.warn("The game is not kept for offline play: " + error));
    }, 1000);
  }
  // A file that did not arrive, named: offline on a first visit nothing has been kept yet,
  // and the player is told so rather than of a damaged file.
  const notDownloaded = (file, answered) => (navigator.onLine === false
    ? "The file " + file + " did not download. Dunmarrow needs the network once, to " +
      "download the game; after that it plays offline."
    : "The file " + file + (answered ? " did not download." : " did not download intact."));

  // Resolves to the response, or to null for a file missing from the site where that is for
  // the game to judge. A file that did not download whole and unchanged is named to the
  // player, and the game never starts.
  function download(file, missingIsFine) {
    return fetch(file, { integrity: hashes[file], credentials: "same-origin" }).then(
      (response) => {
        if (!response.ok && !missingIsFine) throw new Error(notDownloaded(file, true));
        arrived();
        return response.ok ? response : null;
      },
      () => { throw new Error(notDownloaded(file, false)); });
  }
  const fail = (error) => failed(error.message);

  // The game's script first, the largest of what it needs before it starts; it runs once this
  // script has set up Module below.
  const script = document.createElement("script");
  script.src = "dunmarrow.js";
  script.integrity = hashes["dunmarrow.js"];
  script.onload = arrived;
  script.onerror = () => failed(notDownloaded("dunmarrow.js", false));
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
      const chunkEnd = at + 8 + length;
      if (chunkEnd + 4 > bytes.length) return false;
      const type = String.fromCharCode(...bytes.subarray(at + 4, at + 8));
      if (first !== (type === "IHDR")) return false;
      let crc = 0xffffffff;
      for (let i = at + 4; i < chunkEnd; i++) crc = CRC_TABLE[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
      if (((crc ^ 0xffffffff) >>> 0) !== view.getUint32(chunkEnd)) return false;
      if (type === "IEND") return true;
      at = chunkEnd + 4;
    }
    return false;
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
      keepForOffline();
    },
    onExit: end,
    onAbort: (what) => failed("The game could not run: " + what),
  };

  // --- Touch and the Menu control -----------------------------------------------------------

  // A finger plays as the mouse does: the page turns touches on the game into the mouse
  // events the game already takes, so the game and its rules are the same for both. A finger
  // is the left button, down where it lands, moving as it moves, released where it lifts: a
  // tap is a left release, and a finger on a slider moves the knob exactly as the mouse does
  // along the same path. A press held still for half a second, or a tap of two fingers, is a
  // right release instead: it flags a cell, and once a game is over it starts the next.
  // Anything else (three fingers, a pinch) does nothing.
  const HOLD_MS = 500;
  // How far a finger may wander, in the page's pixels, and still count as held still.
  const STILL = 10;
  const LEFT = 0;
  const RIGHT = 2;
  let gesture = null;

  // At whole pixels of the page, as the mouse's own events are, so that a finger and the
  // mouse along the same path reach the same pixels of the game.
  function mouse(type, x, y, button) {
    canvas.dispatchEvent(new MouseEvent(type, {
      clientX: Math.floor(x), clientY: Math.floor(y), button: button, bubbles: true,
      cancelable: true, view: window,
    }));
  }
  function pressAndRelease(button, x, y) {
    mouse("mousemove", x, y, LEFT);
    mouse("mousedown", x, y, button);
    mouse("mouseup", x, y, button);
  }
  // A left button that must not act: let go of where the game takes nothing, off the canvas.
  function letGoOfLeft() {
    if (!gesture || gesture.letGo) return;
    gesture.letGo = true;
    const rect = canvas.getBoundingClientRect();
    mouse("mousemove", rect.left - 1, rect.top - 1, LEFT);
    mouse("mouseup", rect.left - 1, rect.top - 1, LEFT);
  }
  function showPressTook(x, y) {
    const rect = game.getBoundingClientRect();
    const ring = $("press");
    ring.style.left = x - rect.left + "px";
    ring.style.top = y - rect.top + "px";
    ring.hidden = false;
    setTimeout(() => { ring.hidden = true; }, 300);
    if (navigator.vibrate) navigator.vibrate(25);
  }
  function held() {
    if (!gesture || gesture.fingers !== 1 || gesture.moved) return;
    letGoOfLeft();
    gesture.done = true;
    showPressTook(gesture.x, gesture.y);
    pressAndRelease(RIGHT, gesture.x, gesture.y);
  }

  const onTheGame = (event) => event.target === canvas;
  const touchOptions = { capture: true, passive: false };
  // Taken before the browser's SDL sees them, which would make every finger a left button.
  window.addEventListener("touchstart", (event) => {
    if (!onTheGame(event)) return;
    event.preventDefault();
    event.stopPropagation();
    if (!gesture) {
      const first = event.changedTouches[0];
      gesture = { fingers: 0, starts: new Map(), x: first.clientX, y: first.clientY,
        moved: false, letGo: false, done: false, timer: setTimeout(held, HOLD_MS) };
      mouse("mousemove", gesture.x, gesture.y, LEFT);
      mouse("mousedown", gesture.x, gesture.y, LEFT);
    } else {
      clearTimeout(gesture.timer);
      letGoOfLeft();
    }
    for (const touch of event.changedTouches) {
      gesture.starts.set(touch.identifier, [touch.clientX, touch.clientY]);
      gesture.fingers++;
    }
  }, touchOptions);
  window.addEventListener("touchmove", (event) => {
    if (!gesture || !onTheGame(event)) return;
    event.preventDefault();
    event.stopPropagation();
    for (const touch of event.changedTouches) {
      const start = gesture.starts.get(touch.identifier);
      if (!start) continue;
      if (Math.hypot(touch.clientX - start[0], touch.clientY - start[1]) > STILL) {
        gesture.moved = true;
        clearTimeout(gesture.timer);
      }
      if (gesture.fingers > 1 || gesture.done) continue;
      gesture.x = touch.clientX;
      gesture.y = touch.clientY;
      mouse("mousemove", gesture.x, gesture.y, LEFT);
    }
  }, touchOptions);
  function touchEnded(event) {
    if (!gesture || !onTheGame(event)) return;
    event.preventDefault();
    event.stopPropagation();
    if (event.touches.length > 0) return;
    clearTimeout(gesture.timer);
    if (event.type === "touchcancel") {
      letGoOfLeft();
    } else if (gesture.fingers === 1 && !gesture.done) {
      mouse("mouseup", gesture.x, gesture.y, LEFT);
    } else if (gesture.fingers === 2 && !gesture.moved) {
      const [x, y] = gesture.starts.values().next().value;
      pressAndRelease(RIGHT, x, y);
    }
    gesture = null;
  }
  window.addEventListener("touchend", touchEnded, touchOptions);
  window.addEventListener("touchcancel", touchEnded, touchOptions);

  // The Menu control is Escape, for a phone that has no key for it (and for the mouse too).
  function pressEscape() {
    for (const type of ["keydown", "keyup"]) {
      const key = new KeyboardEvent(type, { key: "Escape", code: "Escape", bubbles: true });
      // The browser's SDL reads the old key code, which an event made here does not carry.
      Object.defineProperty(key, "keyCode", { get: () => 27 });
      document.dispatchEvent(key);
    }
  }
  $("menu").addEventListener("click", () => {
    pressEscape();
    canvas.focus();
  });

  // --- Input that belongs to the game --------------------------------------------------------

  // A right release flags a cell: no menu of the browser's over the game or its notes.
  game.addEventListener("contextmenu", (event) => event.preventDefault());
  canvas.addEventListener("mousedown", () => canvas.focus());
  // Escape goes to the game, not to the page (which would leave full screen or stop loading).
  window.addEventListener("keydown", (event) => {
    if (event.key === "Escape") event.preventDefault();
  });
})();
