// The benchmark's commands for browser.mjs (tools/bench_web.sh).
//
//   busy_ms                        the main thread's busy time so far, in milliseconds
//   drawn_ms X Y                   the time from opening the page until the pixel leaves black
//   first_visit_ms URL X Y         as drawn_ms, in a browser of its own just started
//   settled_visit URL X Y          the same in a browser started and left a moment to settle,
//                                  and the processor time of all its processes meanwhile
//   drag_back_and_forth N Y        N motions along a slider's track, the left button held

import { readFileSync, readdirSync } from "node:fs";

// session: { baseUrl, page, at(x, y), settle(), locateCanvas(), launch() }.
export function benchCommands(session) {
  return {
    // For the benchmark: the main thread's busy time so far, in milliseconds, and the time from
    // opening the page until the pixel at X Y leaves black.
    busy_ms: async () => (await session.page.metrics()).TaskDuration * 1000,
    drawn_ms: async (x, y) => {
      // A first visit: nothing from an earlier one in the browser's cache.
      await session.page.setCacheEnabled(false);
      await session.page.goto(session.baseUrl);
      await session.page.setCacheEnabled(true);
      const pixel = (px, py) => canvas.getContext("2d").getImageData(px, py, 1, 1).data.join();
      await session.page.waitForFunction(`(${pixel})(${x}, ${y}) !== "0,0,0,0"`, { polling: "raf" });
      const drawn = await session.page.evaluate(() => performance.now());
      await session.locateCanvas();
      return drawn;
    },
    first_visit_ms: async (url, x, y) => (await visitFresh(session, url, x, y, false)).drawn,
    settled_visit: async (url, x, y) => {
      const { drawn, busy } = await visitFresh(session, url, x, y, true);
      return `${drawn.toFixed(0)} ${busy.toFixed(0)}`;
    },

    // Drags along a slider's track, back and forth, in N motions with the left button held.
    drag_back_and_forth: async (n, y) => {
      await session.page.mouse.move(...session.at(330, y));
      await session.page.mouse.down();
      for (let i = 0; i < Number(n); i++) await session.page.mouse.move(...session.at(i % 2 ? 330 : 400, y));
      await session.page.mouse.up();
      await session.settle();
    },
  };
}

// A visit in a browser of its own: the time of the first frame that shows the point X Y drawn,
// looked for in every animation frame from the page's start once the page has made the context
// of its canvas (#canvas; asking for it first could make it otherwise), whatever the page does
// after it. Settled, the browser is left to finish its own start first, and the processor time
// of all its processes from the page's opening to that frame is given too (busy, in ms).
async function visitFresh(session, url, x, y, settled) {
  const fresh = await session.launch();
  try {
    const tab = await fresh.newPage();
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
    if (settled) await new Promise((done) => setTimeout(done, 1500));
    const before = settled ? processorTime(fresh.process().pid) : 0;
    await tab.goto(url);
    const drawn = await (await tab.waitForFunction(() => window.firstDrawn,
      { polling: settled ? 20 : 50, timeout: 10000 })).jsonValue();
    return { drawn, busy: settled ? processorTime(fresh.process().pid) - before : 0 };
  } finally {
    await fresh.close();
  }
}

// The processor time, user and system, of a process and all its descendants, in ms.
function processorTime(root) {
  const stats = readdirSync("/proc").filter((name) => /^\d+$/.test(name)).map((pid) => {
    try {
      // After the command's closing parenthesis: state, parent, ..., user time, system time.
      const fields = readFileSync(`/proc/${pid}/stat`, "utf8").split(") ")[1].split(" ");
      return { pid: Number(pid), parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) };
    } catch (gone) {
      return null;
    }
  }).filter(Boolean);
  const family = new Set([root]);
  for (let grown = true; grown;) {
    grown = false;
    for (const { pid, parent } of stats) {
      if (family.has(parent) && !family.has(pid)) {
        family.add(pid);
        grown = true;
      }
    }
  }
  // The kernel counts in ticks of 1/100 s on Linux.
  return stats.filter(({ pid }) => family.has(pid)).reduce((sum, { ticks }) => sum + ticks, 0) * 10;
}
