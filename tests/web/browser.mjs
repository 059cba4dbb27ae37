// Drives a browser for the end-to-end scripts: Debian's Chromium through the DevTools protocol,
// with ENGINE=firefox Debian's Firefox ESR through WebDriver BiDi, or with ENGINE=webkit
// WebKitGTK through classic WebDriver (webkit.mjs, on the X display). One command a line on
// standard input, one answer a line on standard output ("ok", a value, or "error: ..."). The
// game's page is opened at BASE_URL; coordinates are the game's own, on its 800 x 600 canvas.
// Touch, devices, the network, JavaScript switched off and the benchmark's figures need
// Chromium's own protocol; pixel ratios and a tab loaded behind another need puppeteer's.
//
//   relaunch [NAME=VALUE...]       a new browser in place of this one, with that environment
//   open QUERY|- [YYYY-MM-DDTHH:MM:SS]   opens the page, its clock stopped at that time (UTC) if
//                                  given, and waits until the game runs or has ended
//   visit URL                      opens another address, and waits as open does
//   load URL                       opens an address, waiting only for it to load
//   frame on|off                   the page's first frame (a portal's, which the test's page
//                                  holds at its top left) looked into in place of the page,
//                                  waiting as visit does; or the page again
//   licence                        clicks the bar's Licence link: "tab FILE" where it opened
//                                  in a tab of its own (closed again), "here FILE" in place of
//                                  the game
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
//                                  where the bar of help and controls is (the body's class)
//   offline on|off                 cuts the page off the network, or gives it back
//   installable                    "installable" when Chromium would offer to install the page,
//                                  else why not
//   first_visit_offline            the page's words on a first visit that lost the network
//                                  as soon as the page itself had arrived
//   device NAME                    emulates one of puppeteer's known devices, its touch screen
//                                  included ("Pixel_5_landscape": underscores for spaces)
//   tap X Y | hold X Y | tap_fingers N X Y | pinch X Y | swipe X0 X1 Y | swipe_off X Y
//                                  touches: a tap, a press held for 0.7 s, a tap of N fingers
//                                  side by side, two fingers spreading, one finger along a
//                                  row, and one from a point to beyond the canvas' left edge
//   tap_element ID                 a tap on the page's element
//   fingers_down X Y [X Y...] | fingers_up    fingers put down and left there, then lifted
//   brief_press X Y                a finger down for a tenth of a second: the ring's look then
//                                  and after
//   move X Y | click BUTTON X Y | click_all BUTTON X Y [X Y...] | key NAME [TIMES] | drag X0 X1 Y
//   pinch_close X Y                two fingers closing: the view zoomed out again
//   swipe_two X0 Y X1 | no_storage    two fingers dragged along a row; storage refused
//   drag_out X0 X1 Y W H           a drag with the window resized to W x H half-way, and the
//                                  pointer off the game and back
//   drag_off X0 Y                  a drag from X0 along row Y, let go off the game
//   key_held NAME                  a key held down until it repeats, then let go
//   focused                        the id (or tag) of the element that has the focus
//                                  X and Y in the game's pixels, wherever and however large the
//                                  canvas is shown
//   shot FILE                       the game's 800 x 600 pixels, as a PNG
//   page_shot FILE                  the whole page, as the player sees it
//   status                          the page's exit status, or "running"
//   wait_status                     the exit status once the page has it, waiting as long as
//                                  a player would (one second), else "running"
//   sounds                          how many sounds the page has started
//   audio                           the state of each Web Audio context the page made
//   audio_suspend                   suspends them, as a browser does until the first click
//   visit_without_webassembly       the page's words in a browser without WebAssembly
//   menus                           how many context menus the browser was let show
//   text ID                         an element's text, on one line
//   title                           the page's title
//   ms EXPRESSION                   evaluates an expression in the page (a number, or a text
//                                  of one line)
//   visit_without_javascript        the page's words with JavaScript off
//   busy_ms | drawn_ms X Y | drag_back_and_forth N Y   (benchmark)
//   first_visit_ms URL X Y          (benchmark) as drawn_ms, in a browser of its own just started
import { writeFile } from "node:fs/promises";
import { createInterface } from "node:readline";
import puppeteer, { KnownDevices } from "puppeteer-core";
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
let fingersDown = [];
let fingerSession = null;
const BUTTONS = { 1: "left", 2: "middle", 3: "right" };
// Input has reached the page (at once, but for WebKit's X input), and the game has had a moment;
// then the canvas is found again, since the page moves it to show what the game shows.
const settle = async () => {
  await page.inputArrived?.();
  await new Promise((resolve) => setTimeout(resolve, 60));
  await locateCanvas();
};
// The first whole pixel of the page within the game's pixel (X, Y): engines round a point
// between pixels each their own way, and every game pixel has one when the game is shown at
// its own size or larger.
const at = (x, y) => [Math.ceil(origin.x + Number(x) * origin.scale),
  Math.ceil(origin.y + Number(y) * origin.scale)];

async function locateCanvas() {
  origin = await page.$eval("#canvas", (canvas) => {
    const rect = canvas.getBoundingClientRect();
    return { x: rect.left, y: rect.top, scale: rect.width / canvas.width };
  });
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

// Touches through the browser's own touch input: each step places every finger (a list of
// page points, the same fingers throughout); the first step puts them down, the last lifts
// them, after holding for the given time.
async function touch(steps, holdMs = 40) {
  if (ENGINE !== "chromium") return touchByWebDriver(steps, holdMs);
  const cdp = await page.createCDPSession();
  const points = (step) => step.map(([x, y], id) => ({ x, y, id }));
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: points(steps[0]) });
  for (const step of steps.slice(1)) {
    await new Promise((resolve) => setTimeout(resolve, 30));
    await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: points(step) });
  }
  await new Promise((resolve) => setTimeout(resolve, holdMs));
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  await cdp.detach();
  await settle();
}

// The same through WebDriver's touch actions (Firefox): each finger a pointer of its own, so
// the fingers of one step land, move and lift one after another.
async function touchByWebDriver(steps, holdMs) {
  const fingers = [];
  for (const [x, y] of steps[0]) fingers.push(await page.touchscreen.touchStart(x, y));
  for (const step of steps.slice(1)) {
    await new Promise((resolve) => setTimeout(resolve, 30));
    for (const [i, [x, y]] of step.entries()) await fingers[i].move(x, y);
  }
  await new Promise((resolve) => setTimeout(resolve, holdMs));
  for (const finger of fingers) await finger.end();
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
  // Clicks the bar's Licence link: where it opened, "tab" (a tab of its own, which closes
  // again) or "here", with the name of the file shown.
  licence: async () => {
    const opened = new Promise((resolve) => browser.once("targetcreated", resolve));
    const before = page.url();
    await page.click("#bar a");
    const target = await Promise.race([opened,
      new Promise((resolve) => setTimeout(() => resolve(null), 5000))]);
    if (!target) return "here " + page.url().split("/").pop();
    const tab = await target.page();
    await tab.waitForFunction(() => document.readyState === "complete" && location.href !== "about:blank",
      { polling: 100, timeout: 5000 });
    const shown = tab.url().split("/").pop();
    await tab.close();
    await page.bringToFront();
    return (page.url() === before ? "tab " : "tab, and the game's page left ") + shown;
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
    await settle();
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
    await settle();
    await locateCanvas();
  },
  layout: () => page.evaluate(() => {
    const rect = canvas.getBoundingClientRect();
    const root = document.documentElement;
    const scrolls = root.scrollWidth > root.clientWidth || root.scrollHeight > root.clientHeight;
    return [rect.left, rect.top, rect.width, rect.height, root.clientWidth, root.clientHeight,
      scrolls ? "scrolls" : "still",
      getComputedStyle(canvas).imageRendering === "pixelated" ? "sharp" : "smooth",
      document.body.className].join(" ");
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
  key: async (name, times = 1) => {
    // (WebDriver BiDi names the space bar by its character.)
    if (name === "Space" && ENGINE === "firefox") name = " ";
    for (let i = 0; i < Number(times); i++) {
      if (name === "Shift+Tab" && ENGINE !== "webkit") {
        await page.keyboard.down("Shift");
        await page.keyboard.press("Tab");
        await page.keyboard.up("Shift");
      } else {
        await page.keyboard.press(name);
      }
    }
    await settle();
  },
  // A key held down long enough to repeat (twice), then let go.
  key_held: async (name) => {
    if (name === "Space" && ENGINE === "firefox") name = " ";
    await page.keyboard.down(name);
    await page.keyboard.down(name);
    await page.keyboard.down(name);
    await page.keyboard.up(name);
    await settle();
  },
  focused: () => page.evaluate(() => document.activeElement ? document.activeElement.id || document.activeElement.tagName : "none"),
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
  installable: async () => {
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    await cdp.detach();
    return installabilityErrors.map((error) => error.errorId).join(" ") || "installable";
  },
  first_visit_offline: async () => {
    const context = await browser.createBrowserContext();
    const tab = await context.newPage();
    await tab.setRequestInterception(true);
    let cut = null;
    tab.on("request", async (request) => {
      if (request.isNavigationRequest() || /\/page(\.\w+\.css|\/[\w.]+\.js)$/.test(request.url())) {
        return request.continue();
      }
      // (The game's script is asked for with the page: held until the page's modules run.)
      cut ??= tab.waitForFunction(() => window.dunmarrowPageRuns, { polling: 20 })
        .then(() => tab.setOfflineMode(true));
      await cut;
      try {
        await request.abort("internetdisconnected");
      } catch (gone) { /* (Firefox may have let go of a request held that long) */ }
    });
    try {
      await tab.goto(BASE_URL);
      await tab.waitForFunction(() => document.body.dataset.exitStatus !== undefined,
        { polling: 100, timeout: 10000 });
      return await tab.$eval("#problem", (element) => element.innerText.replace(/\s+/g, " ").trim());
    } finally {
      await context.close();
    }
  },
  // From the next page on, a browser that cannot vibrate (as Firefox cannot).
  no_vibrate: () => page.evaluateOnNewDocument(() => { delete Navigator.prototype.vibrate; }),
  device: async (name) => {
    await page.emulate(KnownDevices[name.replace(/_/g, " ")]);
    await settle();
    await locateCanvas();
  },
  // Fingers put down and left there, at game points (CDP); then lifted together.
  fingers_down: async (...xy) => {
    fingersDown = [];
    for (let i = 0; i + 1 < xy.length; i += 2) fingersDown.push(at(xy[i], xy[i + 1]));
    fingerSession ??= await page.createCDPSession();
    await fingerSession.send("Input.dispatchTouchEvent", { type: "touchStart",
      touchPoints: fingersDown.map(([x, y], id) => ({ x, y, id })) });
  },
  // A finger put down and lifted a tenth of a second later, all in one go so that no delay of
  // the test's own can make it a hold: the ring's look while it was down, and once it lifted.
  brief_press: async (x, y) => {
    const ring = () => page.evaluate(() => {
      const press = document.getElementById("press");
      return press.hidden ? "hidden" : press.className;
    });
    const cdp = await page.createCDPSession();
    const [px, py] = at(x, y);
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x: px, y: py }] });
    await new Promise((resolve) => setTimeout(resolve, 100));
    const during = await ring();
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await cdp.detach();
    await settle();
    return during + " " + await ring();
  },
  fingers_up: async () => {
    await fingerSession.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await fingerSession.detach();
    fingerSession = null;
    await settle();
  },
  tap: (x, y) => touch([[at(x, y)]]),
  hold: (x, y) => touch([[at(x, y)]], 700),
  tap_fingers: (n, x, y) => touch([Array.from({ length: Number(n) },
    (_, i) => at(Number(x) + 40 * i, y))]),
  pinch: (x, y) => touch([0, 20, 40, 60].map((d) => [at(Number(x) - d, y), at(Number(x) + 30 + d, y)])),
  // Two fingers closing again, page pixels apart to side by side: the view as far out as it goes.
  pinch_close: async (x, y) => {
    const [px, py] = at(x, y);
    await touch([120, 80, 40, 20].map((d) => [[px - d, py], [px + 30 + d, py]]));
  },
  // Two fingers, side by side, dragged together along a row from X0 to X1.
  swipe_two: (x0, y, x1) => touch([0, 1, 2, 3, 4].map((i) => {
    const x = Number(x0) + (Number(x1) - Number(x0)) * i / 4;
    return [at(x, y), at(x + 40, y)];
  })),
  // From the next page on, a browser that refuses the page its storage.
  no_storage: () => page.evaluateOnNewDocument(() => {
    Object.defineProperty(window, "localStorage", {
      get() { throw new DOMException("The storage is refused", "SecurityError"); } });
  }),
  swipe: (x0, x1, y) => touch([0, 1, 2, 3, 4].map((i) =>
    [at(Number(x0) + (Number(x1) - Number(x0)) * i / 4, y)])),
  tap_element: async (id) => {
    const box = await page.$eval("#" + id, (element) => {
      const rect = element.getBoundingClientRect();
      return [rect.left + rect.width / 2, rect.top + rect.height / 2];
    });
    await touch([[box]]);
  },
  // (To the left edge of the page where the canvas reaches past it.)
  swipe_off: (x, y) => touch([[at(x, y)], [at(Number(x) / 2, y)],
    [[Math.max(origin.x - 20, 1), at(x, y)[1]]]]),
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
  // The page in a browser that offers no WebAssembly (Chromium's is taken away before the
  // page runs): the text it shows.
  visit_without_webassembly: async () => {
    const other = await browser.newPage();
    await other.evaluateOnNewDocument(() => { delete window.WebAssembly; });
    await other.goto(BASE_URL);
    const text = await other.$eval("#problem", (element) => element.hidden ? "" : element.innerText.replace(/\s+/g, " "));
    await other.close();
    return text;
  },
  visit_without_javascript: async () => {
    const other = await browser.newPage();
    await other.setJavaScriptEnabled(false);
    await other.goto(BASE_URL);
    const text = await other.$eval("#loading", (element) => element.innerText.replace(/\s+/g, " ").trim());
    await other.close();
    return text;
  },
  // (A context already suspended may never answer a second suspend.)
  audio_suspend: () => page.evaluate(() => Promise.all(window.audioContextsMade
    .filter((c) => c.state === "running").map((c) => c.suspend()))),
  menus: () => page.evaluate(() => new Promise((resolve) => setTimeout(() => resolve(window.menusShown), 50))),
  text: (id) => page.$eval("#" + id, (element) => element.hidden ? "" : element.innerText.replace(/\s+/g, " ").trim()),
  title: () => page.title(),
  ms: async (...expression) => String(await page.evaluate(expression.join(" "))).replace(/\s+/g, " "),
  // For the benchmark: the main thread's busy time so far, in milliseconds, and the time from
  // opening the page until the pixel at X Y leaves black.
  busy_ms: async () => (await page.metrics()).TaskDuration * 1000,
  drawn_ms: async (x, y) => {
    // A first visit: nothing from an earlier one in the browser's cache.
    await page.setCacheEnabled(false);
    await page.goto(BASE_URL);
    await page.setCacheEnabled(true);
    const pixel = (px, py) => canvas.getContext("2d").getImageData(px, py, 1, 1).data.join();
    await page.waitForFunction(`(${pixel})(${x}, ${y}) !== "0,0,0,0"`, { polling: "raf" });
    const drawn = await page.evaluate(() => performance.now());
    await locateCanvas();
    return drawn;
  },
  first_visit_ms: async (url, x, y) => {
    const fresh = await launch();
    try {
      const tab = await fresh.newPage();
      // Looked for in every animation frame from the page's start, once the page has made the
      // context of its canvas (#canvas; asking for it first could make it otherwise): the time
      // of the first frame that shows the point drawn, whatever the page does after it.
      await tab.evaluateOnNewDocument((px, py) => {
        const getContext = HTMLCanvasElement.prototype.getContext;
        let context = null;
        HTMLCanvasElement.prototype.getContext = function (...args) {
          const made = getContext.apply(this, args);
          if (this.id === "canvas") context = made;
          return made;
        };
        const look = () => {
          if (context && context.getImageData(px, py, 1, 1).data.join() !== "0,0,0,0") {
            window.firstDrawn = performance.now();
          } else {
            requestAnimationFrame(look);
          }
        };
        requestAnimationFrame(look);
      }, Number(x), Number(y));
      await tab.goto(url);
      const drawn = await tab.waitForFunction(() => window.firstDrawn,
        { polling: 50, timeout: 10000 });
      return await drawn.jsonValue();
    } finally {
      await fresh.close();
    }
  },

  // Drags along a slider's track, back and forth, in N motions with the left button held.
  drag_back_and_forth: async (n, y) => {
    await page.mouse.move(...at(330, y));
    await page.mouse.down();
    for (let i = 0; i < Number(n); i++) await page.mouse.move(...at(i % 2 ? 330 : 400, y));
    await page.mouse.up();
    await settle();
  },
};

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
