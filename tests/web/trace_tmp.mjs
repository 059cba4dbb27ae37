import puppeteer from "puppeteer-core";
import { writeFile } from "node:fs/promises";
const url = process.argv[2];
const browser = await puppeteer.launch({ headless: true, executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync", "--window-size=800,600"] });
const page = await browser.newPage();
await page.setViewport({ width: 800, height: 600 });
await page.evaluateOnNewDocument(() => {
  const marks = window.marks = [];
  const getContext = HTMLCanvasElement.prototype.getContext;
  let context = null;
  HTMLCanvasElement.prototype.getContext = function (...a) { const m = getContext.apply(this, a); if (this.id === "canvas") context = m; return m; };
  const look = () => { if (context && context.getImageData(100, 500, 1, 1).data.join() !== "0,0,0,0") window.firstDrawn = performance.now(); else requestAnimationFrame(look); };
  requestAnimationFrame(look);
});
await page.tracing.start({ path: "/tmp/trace.json", categories: ["devtools.timeline", "disabled-by-default-devtools.timeline", "blink.user_timing", "v8.execute"] });
await page.goto(url);
const drawn = await (await page.waitForFunction(() => window.firstDrawn, { polling: 50, timeout: 10000 })).jsonValue();
await page.tracing.stop();
const res = await page.evaluate(() => performance.getEntriesByType("resource").map((r) => [r.name.split("/").pop(), Math.round(r.startTime), Math.round(r.responseEnd)]));
console.log("firstDrawn", Math.round(drawn));
for (const r of res) console.log(r.join(" "));
await browser.close();
