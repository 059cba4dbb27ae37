// Drives a browser for the end-to-end scripts: Debian's Chromium through the DevTools protocol,
// with ENGINE=firefox Debian's Firefox ESR through WebDriver BiDi, or with ENGINE=webkit
// WebKitGTK through classic WebDriver (webkit.mjs, on the X display). One command a line on
// standard input, one answer a line on standard output ("ok", a value, or "error: ..."). The
// game's page is opened at BASE_URL; coordinates are the game's own, on its 800 x 600 canvas,
// wherever and however large the canvas is shown. Touch is in touch.mjs, the keyboard and a
// screen reader's view in keys.mjs, other tabs and browsers in tabs.mjs, the benchmark's
// commands in bench.mjs. Touch, devices, the network,
// JavaScript switched off and the benchmark's figures need Chromium's own protocol; pixel
// ratios and a tab loaded behind another need puppeteer's.
//
// Every input waits, before it answers, until the game has taken it: the page has seen it and
// the game is waiting for the next (Module.gameWaiting), or has ended.
//
//   relaunch [NAME=VALUE...]       a new browser in place of this one, with that environment
//   open QUERY|- [YYYY-MM-DDTHH:MM:SS]   opens the page, its clock stopped at that time (UTC) if
//                                  given, and waits until the game waits for input or has ended
//   visit URL                      opens another address, and waits as open does
//   load URL                       opens an address, waiting only for it to load
//   frame on|off                   the page's first frame (a portal's, which the test's page
//                                  holds at its top left) looked into in place of the page,
//                                  waiting as visit does; or the page again
//   reload                         the page reloaded, as the player's Reload does (the page
//                                  asked of the server again, its files as the cache has them),
//                                  and waits as open does
//   open_behind QUERY|-            opens the page in a new tab behind this one, and waits as
//                                  open does; "hidden" if the tab was not shown meanwhile
//   front                          brings that tab to the front and plays on in it
//   press ID                       clicks the page's element, and waits as visit does for the
//                                  page it leads to
//   viewport W H [DPR]             the window's size in CSS pixels, and its device pixel ratio
//   layout                         where the canvas lies: "left top width height", then the
//                                  window's width and height, whether the page scrolls
//                                  ("scrolls" or "still"), whether it is drawn "sharp" and
//                                  where the bar of help and controls is (the body's classes,
//                                  in order, joined by "+")
//   offline on|off                 cuts the page off the network, or gives it back
//   move X Y | click BUTTON X Y | click_all BUTTON X Y [X Y...] | drag X0 X1 Y
//   drag_out X0 X1 Y W H           a drag with the window resized to W x H half-way, and the
//                                  pointer off the game and back
//   drag_off X0 Y                  a drag from X0 along row Y, let go off the game
//   shot FILE                      the game's 800 x 600 pixels, as a PNG
//   page_shot FILE                 the whole page, as the player sees it
//   status                         the page's exit status, or "running"
//   wait_status                    the exit status once the page has it, waiting as long as
//                                  a player would (one second), else "running"
//   sounds                         how many sounds the page has started
//   audio                          the state of each Web Audio context the page made
//   audio_suspend                  suspends them, as a browser does until the first click
//   menus                          how many context menus the browser was let show
//   text ID                        an element's text, on one line
//   title                          the page's title
//   wait_for EXPRESSION            "yes" once the expression holds in the page, "no" if never
//   ms EXPRESSION                  evaluates an expression in the page (a number, or a text
//                                  of one line)
import { writeFile } from "node:fs/promises";
import { createInterface } from "node:readline";
import puppeteer from "puppeteer-core";
import { benchCommands } from "./bench.mjs";
import { keyCommands } from "./keys.mjs";
import { tabCommands } from "./tabs.mjs";
import { touchCommands } from "./touch.mjs";
import { launchWebKit } from "./webkit.mjs";

const BASE_URL = process.argv[2];
const ENGINES = {
  chromium: {
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--autoplay-policy=user-gesture-required", "--window-size=800,600",
           // (The benchmark's HTTP/2 server has a certificate of its own.)
           "--ignore-certificate-errors"],
  },
  // Sound held back until the first click, as Chromium is told above and as players meet it.
  firefox: {
    browser: "firefox",
    executablePath: process.env.FIREFOX || "/usr/bin/firefox-esr",
    protocol: "webDriverBiDi",
    // Touch events on, as on a touch screen, for the touch checks.
    extraPrefsFirefox: { "media.autoplay.default": 1, "media.autoplay.block-webaudio": true,
      "dom.w3c_touch_events.enabled": 1 },
  },
};
const ENGINE = process.env.ENGINE || "chromium";
// A browser, with more of the environment for it and what it starts.
const launch = (env = {}) => ENGINE === "webkit" ? launchWebKit({ env })
  : puppeteer.launch({ headless: true, ...ENGINES[ENGINE], env: { ...process.env, ...env } });
let browser = await launch();
// The game shown at its own size: every pixel of it one pixel of the page.
const VIEWPORT = { width: 800, height: 600 };
let page = await browser.newPage();
await watch(page);

// Counted before the page's own scripts run: every sound the game starts, whether through Web
// Audio or a media element, and every context menu that nothing prevented.
async function watch(tab) {
  await tab.setViewport(VIEWPORT);
  tab.on("console", (message) => process.stderr.write(`console: ${message.text()}\n`));
  await tab.evaluateOnNewDocument(() => {
    window.soundStarts = 0;
    window.menusShown = 0;
    // A buffer source has a start of its own, beside the one it inherits.
    for (const kind of [AudioScheduledSourceNode, AudioBufferSourceNode]) {
      if (!Object.prototype.hasOwnProperty.call(kind.prototype, "start")) continue;
      const start = kind.prototype.start;
      kind.prototype.start = function (...args) {
        window.soundStarts++;
        return start.apply(this, args);
      };
    }
    const play = HTMLMediaElement.prototype.play;
    HTMLMediaElement.prototype.play = function (...args) {
      window.soundStarts++;
      return play.apply(this, args);
    };
    window.audioContextsMade = [];
    const RealAudioContext = window.AudioContext;
    window.AudioContext = class extends RealAudioContext {
      constructor(...args) { super(...args); window.audioContextsMade.push(this); }
    };
    // Whether the game's first frame (its menu) was painted before it first decoded a sound:
    // the canvas looked at in every frame, through the context the game draws with.
    window.paintedBeforeSounds = "no sound decoded";
    let gameContext = null;
    let painted = false;
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (...args) {
      const made = getContext.apply(this, args);
      if (this.id === "canvas") gameContext = made;
      return made;
    };
    const lookForPaint = () => {
      if (gameContext && gameContext.getImageData(400, 190, 1, 1).data[3] !== 0) painted = true;
      else requestAnimationFrame(lookForPaint);
    };
    requestAnimationFrame(lookForPaint);
    const decode = BaseAudioContext.prototype.decodeAudioData;
    BaseAudioContext.prototype.decodeAudioData = function (...args) {
      if (window.paintedBeforeSounds === "no sound decoded") window.paintedBeforeSounds = painted;
      return decode.apply(this, args);
    };
    window.policyViolations = 0;
    document.addEventListener("securitypolicyviolation", () => window.policyViolations++);
    window.addEventListener("contextmenu", (event) => {
      setTimeout(() => { if (!event.defaultPrevented) window.menusShown++; }, 0);
    });
    // (A sandboxed frame has no storage at all.)
    try {
      if (sessionStorage.getItem("stoppedClock")) {
        const stopped = Number(sessionStorage.getItem("stoppedClock"));
        Date.now = () => stopped;
      }
    } catch (refused) { /* a clock of its own */ }
  });
}

let origin = { x: 0, y: 0, scale: 1 };
const BUTTONS = { 1: "left", 2: "middle", 3: "right" };
// Input has reached the page (at once, but for WebKit's X input), and the game has taken it;
// then the canvas is found again, since the page moves it to show what the game shows.
const settle = async () => {
  await page.inputArrived?.();
  await gameTookInput();
  await locateCanvas();
};
// The game has handled every input it was given and waits for the next, or has ended, or the
// page holds no game. (Its wait resumes on any input the page hears, so a moment after input
// it is not waiting until it has handled that input.)
const gameTookInput = () => page.waitForFunction(() => document.body.dataset.exitStatus !== undefined ||
  !window.Module || window.Module.gameWaiting === true, { polling: 20, timeout: 30000 });
// The first whole pixel of the page within the game's pixel (X, Y): engines round a point
// between pixels each their own way, and every game pixel has one when the game is shown at
// its own size or larger.
const at = (x, y) => [Math.ceil(origin.x + Number(x) * origin.scale),
  Math.ceil(origin.y + Number(y) * origin.scale)];

// Two frames of the page drawn: what it does on a resize or a rotation is done.
const afterTwoFrames = () => page.evaluate(() =>
  new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));

// (A page without the game's canvas, a blank one or a portal's, keeps the last.)
async function locateCanvas() {
  origin = await page.evaluate((last) => {
    const canvas = document.getElementById("canvas");
    if (!canvas) return last;
    const rect = canvas.getBoundingClientRect();
    return { x: rect.left, y: rect.top, scale: rect.width / canvas.width };
  }, origin);
}

// Opens the page and waits until it has loaded the game or said why not.
async function visit(url) {
  if (url) await page.goto(url);
  await page.waitForFunction(
    () => document.body.dataset.exitStatus !== undefined ||
      document.getElementById("loading").hidden,
    // On a timer: a tab behind another draws no frames to poll on.
    { polling: 100, timeout: 20000 });
}

async function open(query, clock) {
  // The clock is kept in the site's session storage, so the page must be on the site first.
  if (!(await page.url()).startsWith(BASE_URL)) await page.goto(BASE_URL);
  await page.evaluate((stopped) => {
    if (stopped) sessionStorage.setItem("stoppedClock", String(stopped));
    else sessionStorage.removeItem("stoppedClock");
  }, clock ? Date.parse(clock + "Z") : 0);
  await visit(BASE_URL + (query ? "?" + query : ""));
  await locateCanvas();
  // Give the game a moment to reach its first wait.
  await settle();
}

const commands = {
  relaunch: async (...words) => {
    await browser.close();
    browser = await launch(Object.fromEntries(words.map((word) => word.split(/=(.*)/s, 2))));
    page = await browser.newPage();
    await watch(page);
  },
  open: (query, clock) => open(query === "-" ? "" : query, clock),
  visit: async (url) => { await visit(url); await locateCanvas(); },
  // Opens an address and waits only for the page to load, whatever it then shows.
  load: async (url) => { await page.goto(url); },
  frame: async (state) => {
    if (ENGINE === "webkit") {
      await page.frame(state === "on");
    } else if (state === "on") {
      const tab = page;
      const looking = ["evaluate", "$eval", "waitForFunction"];
      page = new Proxy(tab, { get: (target, key) => {
        const frame = tab.mainFrame().childFrames()[0];
        if (key === "topPage") return tab;
        if (looking.includes(key)) return frame[key].bind(frame);
        const value = target[key];
        return typeof value === "function" ? value.bind(target) : value;
      } });
    } else {
      page = page.topPage ?? page;
    }
    if (state === "on") {
      await visit(null);
      await locateCanvas();
    }
  },
  reload: async () => {
    await page.reload();
    await visit(null);
    await locateCanvas();
  },
  open_behind: async (query) => {
    const front = page;
    page = await browser.newPage();
    await watch(page);
    await front.bringToFront();
    await page.evaluateOnNewDocument(() => {
      window.shownBeforeStart = document.visibilityState === "visible";
      document.addEventListener("visibilitychange", () => { window.shownBeforeStart = true; });
    });
    await visit(BASE_URL + (query === "-" ? "" : "?" + query));
    // (Not settled: a tab behind paints no frames, and the game waits for its first.)
    await locateCanvas();
    const shown = await page.evaluate(() => window.shownBeforeStart);
    await front.close();
    return shown ? "shown" : "hidden";
  },
  press: async (id) => {
    await Promise.all([page.waitForNavigation({ timeout: 5000 }).catch(() => {}), page.click("#" + id)]);
    await visit(await page.url());
    await locateCanvas();
  },
  front: async () => { await page.bringToFront(); await locateCanvas(); await settle(); },
  viewport: async (width, height, ratio) => {
    await page.setViewport({ width: Number(width), height: Number(height),
      deviceScaleFactor: Number(ratio || 1) });
    // The window has its size (WebKit's in its own time), and the page has laid itself out.
    await page.waitForFunction((w, h) => innerWidth === w && innerHeight === h,
      { polling: 20, timeout: 30000 }, Number(width), Number(height));
    await afterTwoFrames();
    await settle();
  },
  layout: () => page.evaluate(() => {
    const rect = canvas.getBoundingClientRect();
    const root = document.documentElement;
    const scrolls = root.scrollWidth > root.clientWidth || root.scrollHeight > root.clientHeight;
    return [rect.left, rect.top, rect.width, rect.height, root.clientWidth, root.clientHeight,
      scrolls ? "scrolls" : "still",
      getComputedStyle(canvas).imageRendering === "pixelated" ? "sharp" : "smooth",
      document.body.className.trim().split(/\s+/).sort().join("+")].join(" ");
  }),
  move: async (x, y) => { await page.mouse.move(...at(x, y)); await settle(); },
  click: async (button, x, y) => {
    await page.mouse.move(...at(x, y));
    await page.mouse.down({ button: BUTTONS[button] });
    await page.mouse.up({ button: BUTTONS[button] });
    await settle();
  },
  click_all: async (button, ...points) => {
    for (let i = 0; i + 1 < points.length; i += 2) {
      await page.mouse.move(...at(points[i], points[i + 1]));
      await page.mouse.down({ button: BUTTONS[button] });
      await page.mouse.up({ button: BUTTONS[button] });
    }
    await settle();
  },
  drag: async (x0, x1, y) => {
    await page.mouse.move(...at(x0, y));
    await page.mouse.down();
    await page.mouse.move(...at(x1, y), { steps: 4 });
    await page.mouse.up();
    await settle();
  },
  // A drag along row Y from X0 to X1, the button held throughout: half-way the window is
  // resized to W x H, and the pointer leaves the game (for the page left of it) and comes back.
  drag_out: async (x0, x1, y, width, height) => {
    const middle = (Number(x0) + Number(x1)) / 2;
    await page.mouse.move(...at(x0, y));
    await page.mouse.down();
    await page.mouse.move(...at(middle, y), { steps: 4 });
    await page.setViewport({ width: Number(width), height: Number(height) });
    await settle();
    const [, py] = at(middle, y);
    await page.mouse.move(Math.max(origin.x - 40, 1), py, { steps: 4 });
    await page.mouse.move(...at(middle, y), { steps: 4 });
    await page.mouse.move(...at(x1, y), { steps: 4 });
    await page.mouse.up();
    await settle();
  },
  // A drag from X0 along row Y, let go off the game, left of it.
  drag_off: async (x0, y) => {
    await page.mouse.move(...at(x0, y));
    await page.mouse.down();
    const [, py] = at(x0, y);
    await page.mouse.move(Math.max(origin.x - 40, 1), py, { steps: 4 });
    await page.mouse.up();
    await settle();
  },
  offline: (state) => page.setOfflineMode(state === "on"),
  shot: async (file) => {
    const png = await page.evaluate(() => canvas.toDataURL("image/png"));
    await writeFile(file, Buffer.from(png.split(",")[1], "base64"));
  },
  page_shot: async (file) => { await page.screenshot({ path: file }); },
  status: () => page.evaluate(() => document.body.dataset.exitStatus ?? "running"),
  wait_status: async () => {
    await page.waitForFunction(() => document.body.dataset.exitStatus !== undefined,
      { polling: 50, timeout: 1000 }).catch(() => {});
    return commands.status();
  },
  sounds: () => page.evaluate(() => window.soundStarts),
  audio: () => page.evaluate(() => window.audioContextsMade.map((c) => c.state).join(",") || "none"),
  // (A context already suspended may never answer a second suspend.)
  audio_suspend: () => page.evaluate(() => Promise.all(window.audioContextsMade
    .filter((c) => c.state === "running").map((c) => c.suspend()))),
  menus: () => page.evaluate(() => new Promise((resolve) => setTimeout(() => resolve(window.menusShown), 50))),
  text: (id) => page.$eval("#" + id, (element) => element.hidden ? "" : element.innerText.replace(/\s+/g, " ").trim()),
  title: () => page.title(),
  // Waits until the expression holds in the page, as long as a loaded machine may take: "yes",
  // or "no" once it never did.
  wait_for: (...expression) => page.waitForFunction(expression.join(" "),
    { polling: 50, timeout: 30000 }).then(() => "yes", () => "no"),
  ms: async (...expression) => String(await page.evaluate(expression.join(" "))).replace(/\s+/g, " "),
};

// What the other modules' commands reach of this one.
const session = {
  engine: ENGINE, baseUrl: BASE_URL, at, settle, locateCanvas, launch, afterTwoFrames,
  get browser() { return browser; },
  get page() { return page; },
  get origin() { return origin; },
};
Object.assign(commands, touchCommands(session), tabCommands(session), keyCommands(session),
  benchCommands(session));

const lines = createInterface({ input: process.stdin });
for await (const line of lines) {
  const [name, ...args] = line.trim().split(/\s+/);
  if (!name) continue;
  if (name === "quit") break;
  try {
    if (!commands[name]) throw new Error("no command " + name);
    const answer = await commands[name](...args);
    process.stdout.write((answer === undefined ? "ok" : String(answer)) + "\n");
  } catch (error) {
    process.stdout.write("error: " + String(error.message).split("\n")[0] + "\n");
  }
}
await browser.close();
