// Touch for browser.mjs: fingers through Chromium's DevTools protocol, or WebDriver's touch
// actions in Firefox, and Chromium's emulated devices. Coordinates are the game's own.
//
//   device NAME                    emulates one of puppeteer's known devices, its touch screen
//                                  included ("Pixel_5_landscape": underscores for spaces)
//   no_vibrate | no_storage        from the next page on, a browser that cannot vibrate, or
//                                  that refuses the page its storage
//   tap X Y | hold X Y | tap_fingers N X Y | pinch X Y | swipe X0 X1 Y | swipe_off X Y
//                                  a tap, a press held for 0.7 s, a tap of N fingers side by
//                                  side, two fingers spreading, one finger along a row, and one
//                                  from a point to beyond the canvas' left edge
//   pinch_close X Y | swipe_two X0 Y X1   two fingers closing; two dragged along a row
//   tap_element ID                 a tap on the page's element
//   fingers_down X Y [X Y...] | fingers_up    fingers put down and left there, then lifted
//   brief_press X Y                a finger down for a tenth of a second: the ring's look then
//                                  and after
import { KnownDevices } from "puppeteer-core";

// Touches through the browser's own touch input: each step places every finger (a list of
// page points, the same fingers throughout); the first step puts them down, the last lifts
// them, after holding for the given time.
async function touch(session, steps, holdMs = 40) {
  if (session.engine !== "chromium") return touchByWebDriver(session, steps, holdMs);
  const cdp = await session.page.createCDPSession();
  const points = (step) => step.map(([x, y], id) => ({ x, y, id }));
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: points(steps[0]) });
  for (const step of steps.slice(1)) {
    await new Promise((resolve) => setTimeout(resolve, 30));
    await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: points(step) });
  }
  await new Promise((resolve) => setTimeout(resolve, holdMs));
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  await cdp.detach();
  await session.settle();
}

// The same through WebDriver's touch actions (Firefox): each finger a pointer of its own, so
// the fingers of one step land, move and lift one after another.
async function touchByWebDriver(session, steps, holdMs) {
  const fingers = [];
  for (const [x, y] of steps[0]) fingers.push(await session.page.touchscreen.touchStart(x, y));
  for (const step of steps.slice(1)) {
    await new Promise((resolve) => setTimeout(resolve, 30));
    for (const [i, [x, y]] of step.entries()) await fingers[i].move(x, y);
  }
  await new Promise((resolve) => setTimeout(resolve, holdMs));
  for (const finger of fingers) await finger.end();
  await session.settle();
}


// session: { engine, page, origin, at(x, y), settle(), afterTwoFrames() }.
export function touchCommands(session) {
  let fingersDown = [];
  let fingerSession = null;
  return {
    // From the next page on, a browser that cannot vibrate (as Firefox cannot).
    no_vibrate: () => session.page.evaluateOnNewDocument(() => { delete Navigator.prototype.vibrate; }),
    device: async (name) => {
      await session.page.emulate(KnownDevices[name.replace(/_/g, " ")]);
      await session.afterTwoFrames();
      await session.settle();
    },
    // Fingers put down and left there, at game points (CDP); then lifted together.
    fingers_down: async (...xy) => {
      fingersDown = [];
      for (let i = 0; i + 1 < xy.length; i += 2) fingersDown.push(session.at(xy[i], xy[i + 1]));
      fingerSession ??= await session.page.createCDPSession();
      await fingerSession.send("Input.dispatchTouchEvent", { type: "touchStart",
        touchPoints: fingersDown.map(([x, y], id) => ({ x, y, id })) });
    },
    // A finger put down and lifted a tenth of a second later, all in one go so that no delay of
    // the test's own can make it a hold: the ring's look while it was down, and once it lifted.
    brief_press: async (x, y) => {
      const ring = () => session.page.evaluate(() => {
        const press = document.getElementById("press");
        return press.hidden ? "hidden" : press.className;
      });
      const cdp = await session.page.createCDPSession();
      const [px, py] = session.at(x, y);
      await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x: px, y: py }] });
      await new Promise((resolve) => setTimeout(resolve, 100));
      const during = await ring();
      await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
      await cdp.detach();
      await session.settle();
      return during + " " + await ring();
    },
    fingers_up: async () => {
      await fingerSession.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
      await fingerSession.detach();
      fingerSession = null;
      await session.settle();
    },
    tap: (x, y) => touch(session, [[session.at(x, y)]]),
    hold: (x, y) => touch(session, [[session.at(x, y)]], 700),
    tap_fingers: (n, x, y) => touch(session, [Array.from({ length: Number(n) },
      (_, i) => session.at(Number(x) + 40 * i, y))]),
    pinch: (x, y) => touch(session, [0, 20, 40, 60].map((d) => [session.at(Number(x) - d, y), session.at(Number(x) + 30 + d, y)])),
    // Two fingers closing again, page pixels apart to side by side: the view as far out as it goes.
    pinch_close: async (x, y) => {
      const [px, py] = session.at(x, y);
      await touch(session, [120, 80, 40, 20].map((d) => [[px - d, py], [px + 30 + d, py]]));
    },
    // Two fingers, side by side, dragged together along a row from X0 to X1.
    swipe_two: (x0, y, x1) => touch(session, [0, 1, 2, 3, 4].map((i) => {
      const x = Number(x0) + (Number(x1) - Number(x0)) * i / 4;
      return [session.at(x, y), session.at(x + 40, y)];
    })),
    // From the next page on, a browser that refuses the session.page its storage.
    no_storage: () => session.page.evaluateOnNewDocument(() => {
      Object.defineProperty(window, "localStorage", {
        get() { throw new DOMException("The storage is refused", "SecurityError"); } });
    }),
    swipe: (x0, x1, y) => touch(session, [0, 1, 2, 3, 4].map((i) =>
      [session.at(Number(x0) + (Number(x1) - Number(x0)) * i / 4, y)])),
    tap_element: async (id) => {
      const box = await session.page.$eval("#" + id, (element) => {
        const rect = element.getBoundingClientRect();
        return [rect.left + rect.width / 2, rect.top + rect.height / 2];
      });
      await touch(session, [[box]]);
    },
    // (To the left edge of the page where the canvas reaches past it.)
    swipe_off: (x, y) => touch(session, [[session.at(x, y)], [session.at(Number(x) / 2, y)],
      [[Math.max(session.origin.x - 20, 1), session.at(x, y)[1]]]]),
  };
}
