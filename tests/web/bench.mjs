// The benchmark's commands for browser.mjs (tools/bench_web.sh).
//
//   busy_ms                        the main thread's busy time so far, in milliseconds
//   drawn_ms X Y                   the time from opening the page until the pixel leaves black
//   first_visit_ms URL X Y         as drawn_ms, in a browser of its own just started
//   drag_back_and_forth N Y        N motions along a slider's track, the left button held

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
    first_visit_ms: async (url, x, y) => {
      const fresh = await session.launch();
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
      await session.page.mouse.move(...session.at(330, y));
      await session.page.mouse.down();
      for (let i = 0; i < Number(n); i++) await session.page.mouse.move(...session.at(i % 2 ? 330 : 400, y));
      await session.page.mouse.up();
      await session.settle();
    },
  };
}
