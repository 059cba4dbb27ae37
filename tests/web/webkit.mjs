// WebKitGTK, the engine of Safari, for browser.mjs: Debian's WebKitWebDriver with its
// MiniBrowser on the X display in DISPLAY, driven through selenium-webdriver and dressed as
// the part of a puppeteer browser and page that browser.mjs uses. The mouse and the keys are
// real X input through xdotool: WebKitWebDriver sends a right-button release as a left one.
//
// Classic WebDriver runs no script before the page's own, so the scripts given to
// evaluateOnNewDocument run as soon as each page has loaded: they count what happens after
// that, and miss what the page did while loading.
//
// X input reaches the page in its own time, later the larger the window: inputArrived waits
// until the page has seen every button and key sent, and the pointer where it was sent.
import { execFile, spawn } from "node:child_process";
import { writeFile } from "node:fs/promises";
import { createServer } from "node:net";
import { promisify } from "node:util";
import { Builder } from "selenium-webdriver";

const MINIBROWSER = process.env.MINIBROWSER ||
  "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
const X_BUTTONS = { left: 1, middle: 2, right: 3 };
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const xdotool = (...args) => promisify(execFile)("xdotool", args.map(String));

// What the page has seen of the input sent, for inputArrived.
function listenForInput() {
  const arrived = window.inputArrived = { buttons: 0, keys: 0, x: -1, y: -1 };
  const options = { capture: true, passive: true };
  // Only the real input: the page's own keyboard play sends the game mouse events of its own.
  const real = (count) => (event) => { if (event.isTrusted) count(event); };
  for (const kind of ["mousedown", "mouseup"]) addEventListener(kind, real(() => arrived.buttons++), options);
  for (const kind of ["keydown", "keyup"]) addEventListener(kind, real(() => arrived.keys++), options);
  for (const kind of ["mousemove", "mousedown"]) {
    addEventListener(kind, real((event) => [arrived.x, arrived.y] = [event.clientX, event.clientY]), options);
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer().listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    }).on("error", reject);
  });
}

// Starts the driver with the extra environment given (which reaches the browser and its web
// process), and one browser window at the screen's top-left corner.
export async function launchWebKit({ env = {} } = {}) {
  const port = await freePort();
  const server = spawn("WebKitWebDriver", [`--port=${port}`],
    { env: { ...process.env, ...env }, stdio: "ignore" });
  const url = `http://127.0.0.1:${port}`;
  for (let i = 0; ; i++) {
    try {
      if ((await fetch(url + "/status")).ok) break;
    } catch (error) {
      if (i === 100) throw new Error("WebKitWebDriver did not start: " + error.message);
    }
    await pause(100);
  }
  const driver = await new Builder().usingServer(url).withCapabilities({
    browserName: "MiniBrowser",
    "webkitgtk:browserOptions": { binary: MINIBROWSER, args: ["--automation"] },
  }).build();
  // As long as puppeteer lets a script's promise run: the tests' longest waits are in the page.
  await driver.manage().setTimeouts({ script: 180000 });
  const browser = new WebKitBrowser(driver, server);
  await browser.measureWindow();
  return browser;
}

class WebKitBrowser {
  constructor(driver, server) {
    this.driver = driver;
    this.server = server;
    // Where the page's top-left pixel lies on the screen, under the browser's own bar.
    this.pageOrigin = { x: 0, y: 0 };
  }

  async measureWindow() {
    await this.driver.manage().window().setRect({ x: 0, y: 0 });
    const [x, y, barWidth, barHeight] = await this.driver.executeScript(
      "return [screenX, screenY, outerWidth - innerWidth, outerHeight - innerHeight]");
    this.pageOrigin = { x: x + barWidth, y: y + barHeight };
  }

  // The one window: classic WebDriver loads a page only in the tab in front.
  async newPage() { return new WebKitPage(this); }

  async close() {
    await this.driver.quit().catch(() => {});
    this.server.kill();
  }
}

class WebKitPage {
  constructor(browser) {
    this.browser = browser;
    this.driver = browser.driver;
    this.newDocumentScripts = [listenForInput];
    let pointer = { x: 0, y: 0 };
    this.sent = { buttons: 0, keys: 0, x: -1, y: -1 };
    const sent = this.sent;
    const screenPoint = (x, y) => [Math.round(browser.pageOrigin.x + x),
      Math.round(browser.pageOrigin.y + y)];
    this.mouse = {
      async move(x, y, { steps = 1 } = {}) {
        // X reports no motion to where the pointer already is; puppeteer's pages get one.
        const [sx, sy] = screenPoint(x, y);
        if (steps === 1 && [sx, sy].join() === screenPoint(pointer.x, pointer.y).join()) {
          await xdotool("mousemove", sx + 1, sy);
        }
        for (let i = 1; i <= steps; i++) {
          await xdotool("mousemove", ...screenPoint(pointer.x + (x - pointer.x) * i / steps,
            pointer.y + (y - pointer.y) * i / steps));
        }
        pointer = { x, y };
        [sent.x, sent.y] = [Math.round(x), Math.round(y)];
      },
      down: ({ button = "left" } = {}) => { sent.buttons++; return xdotool("mousedown", X_BUTTONS[button]); },
      up: ({ button = "left" } = {}) => { sent.buttons++; return xdotool("mouseup", X_BUTTONS[button]); },
    };
    // Keys by the names puppeteer gives them, as X names them.
    const X_KEYS = { ArrowUp: "Up", ArrowDown: "Down", ArrowLeft: "Left", ArrowRight: "Right",
      Enter: "Return", Space: "space", "Shift+Tab": "shift+Tab" };
    // Keys held together ("Control+r") are pressed together.
    const X_MODIFIERS = { Control: "ctrl", Alt: "alt", Shift: "shift", Meta: "super" };
    this.keyboard = { press: (name) => {
      const keys = name === "Shift+Tab" ? [name] : name.split("+");
      sent.keys += 2 * keys.length;
      return xdotool("key", keys.map((key) => X_MODIFIERS[key] || X_KEYS[key] || key).join("+"));
    } };
  }

  // (The page's console stays the browser's own.)
  on() {}
  async setViewport({ width, height, deviceScaleFactor = 1 }) {
    if (deviceScaleFactor !== 1) throw new Error("WebKitGTK's window has one pixel ratio");
    await this.driver.manage().window().setRect({ x: 0, y: 0,
      width: width + this.browser.pageOrigin.x, height: height + this.browser.pageOrigin.y });
  }
  async evaluateOnNewDocument(script) { this.newDocumentScripts.push(script); }
  async goto(url) {
    await this.driver.get(url);
    Object.assign(this.sent, { buttons: 0, keys: 0, x: -1, y: -1 });
    for (const script of this.newDocumentScripts) await this.evaluate(script);
  }
  // Scripts run in the page's first frame, or in the page again.
  async frame(on) {
    if (on) await this.driver.switchTo().frame(0);
    else await this.driver.switchTo().defaultContent();
  }
  async reload() {
    await this.driver.navigate().refresh();
    Object.assign(this.sent, { buttons: 0, keys: 0, x: -1, y: -1 });
    for (const script of this.newDocumentScripts) await this.evaluate(script);
  }
  async inputArrived() {
    const { buttons, keys, x, y } = this.sent;
    await this.waitForFunction((b, k, px, py) => {
      const arrived = window.inputArrived;
      return !arrived || (arrived.buttons >= b && arrived.keys >= k &&
        (px < 0 || (Math.abs(arrived.x - px) <= 1 && Math.abs(arrived.y - py) <= 1)));
    }, { polling: 10, timeout: 30000 }, buttons, keys, x, y);
  }
  url() { return this.driver.getCurrentUrl(); }
  // puppeteer's evaluate: a function and its arguments, or an expression; a promise's value.
  // (WebKitWebDriver waits in vain for a promise that a script returns, and the page's own
  // Content-Security-Policy may forbid eval: the script is written into the driver's.)
  async evaluate(script, ...args) {
    const body = typeof script === "function" ? `(${script}).apply(null, arguments[0])` : `(${script})`;
    const [value, error] = await this.driver.executeAsyncScript(`
      const done = arguments[arguments.length - 1];
      new Promise((resolve) => resolve(${body}))
        .then((value) => done([value]), (error) => done([null, String(error)]));`, args);
    if (error !== undefined) throw new Error(error);
    return value;
  }
  async $eval(selector, script, ...args) {
    return this.evaluate(`(${script})(document.querySelector(${JSON.stringify(selector)}),
      ...${JSON.stringify(args)})`);
  }
  async waitForFunction(script, { polling = 100, timeout = 30000 } = {}, ...args) {
    for (const end = Date.now() + timeout; ;) {
      const value = await this.evaluate(script, ...args);
      if (value) return value;
      if (Date.now() > end) throw new Error("waited " + timeout + " ms in vain");
      await pause(polling);
    }
  }
  async click(selector) {
    const [x, y] = await this.$eval(selector, (element) => {
      const rect = element.getBoundingClientRect();
      return [rect.left + rect.width / 2, rect.top + rect.height / 2];
    });
    await this.mouse.move(x, y);
    await this.mouse.down();
    await this.mouse.up();
  }
  async waitForNavigation() { await pause(500); }
  async screenshot({ path }) {
    await writeFile(path, Buffer.from(await this.driver.takeScreenshot(), "base64"));
  }
  title() { return this.driver.getTitle(); }
}
