// The page's figures, in headless chromium (not a test: timings on a shared
// machine are noisy):
// - navigation to the first diagram finished, against a floor page with the
//   same box and buttons and no program (navigation to its first paint),
//   median of 30 loads of each, alternating;
// - the page, .js and .wasm together, gzipped: what a visitor downloads;
// - a 99-site run (seed 20, as BM_FullRun's) in the page, median of 15.
//   node bench/page.mjs build-web/page
import fs from "node:fs";
import path from "node:path";
import zlib from "node:zlib";
import { createRequire } from "node:module";
import { serve } from "../tests/web/serve.mjs";

const require = createRequire(new URL("../tests/web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const folder = process.argv[2];
const page = fs.readFileSync(path.join(folder, "index.html"), "utf8");
// The floor: the page without its program (its scripts, and its code fetched ahead).
const floor = page.replace(/<script[\s\S]*?<\/script>\n?/g, "").replace(/<link rel="preload"[^>]*>\n?/, "");
const { server, address } = await serve(folder, { "/floor.html": floor });
const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
const median = (xs) => xs.sort((a, b) => a - b)[Math.floor(xs.length / 2)];

async function load(url, test, until) {
  const tab = await browser.newPage();
  await tab.evaluateOnNewDocument((t) => { window.quilletTest = t; }, test);
  await tab.goto(url);
  await tab.waitForFunction(until);
  return tab;
}
const pageTimes = [];
const floorTimes = [];
for (let k = 0; k < 30; k++) {
  let tab = await load(address, { seed: 20 }, () => window.quilletTest.finishedAt !== undefined);
  pageTimes.push(await tab.evaluate(() => window.quilletTest.finishedAt));
  await tab.close();
  tab = await load(`${address}floor.html`, {}, () => performance.getEntriesByType("paint").length > 0);
  floorTimes.push(await tab.evaluate(() => performance.getEntriesByType("paint")[0].startTime));
  await tab.close();
}
const runs = [];
const tab = await load(address, { seed: 20 }, () => window.quilletTest.finishedAt !== undefined);
for (let k = 0; k < 15; k++) {
  await tab.evaluate(() => { window.quilletTest.finishedAt = undefined; document.getElementById("cmdRetry").click(); });
  await tab.waitForFunction(() => window.quilletTest.finishedAt !== undefined);
  runs.push(await tab.evaluate(() => window.quilletTest.finishedAt - window.quilletTest.startedAt));
}
await browser.close();
server.close();

const gzipped = ["index.html", "page.js", "quillet.js", "quillet.wasm"]
  .map((f) => zlib.gzipSync(fs.readFileSync(path.join(folder, f)), { level: 9 }).length)
  .reduce((a, b) => a + b, 0);
const [p, f] = [median(pageTimes), median(floorTimes)];
console.log(`navigation to the first diagram: ${p.toFixed(1)} ms; floor's first paint: ${f.toFixed(1)} ms; ratio ${(p / f).toFixed(2)}`);
console.log(`transfer, gzipped: ${(gzipped / 1024).toFixed(1)} KiB`);
console.log(`a 99-site run (seed 20) in the page: ${median(runs).toFixed(1)} ms`);
