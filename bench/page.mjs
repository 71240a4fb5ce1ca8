// The page's figures, in headless chromium (not a test: timings on a shared
// machine are noisy):
// - navigation to the first diagram finished (Retry on again), against a
//   floor page with the same box, buttons and style and no program
//   (navigation to its first paint), each a first visit (a new profile: no
//   cache, no service worker), alternating: 30 loads of each as the machine
//   is, and 10 under Lighthouse's mobile throttling as DevTools applies it
//   (562.5 ms a request, 1.47 Mbit/s down, the processor 4 times slower);
// - what the first visit fetched before its first diagram, as it came over
//   the network (gzipped) and as the files are;
// - a 99-site run (seed 20, as BM_FullRun's) in the test page, median of 15,
//   and, in 15 more, its split as BM_RunSplit's (medians of each part).
//   node bench/page.mjs build/web/quillet-<version>-web build-web/test-page
import fs from "node:fs";
import path from "node:path";
import { createRequire } from "node:module";
import { serve } from "../web/serve.mjs";

const require = createRequire(new URL("../tests/web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const [packaged, testPage] = process.argv.slice(2);
const page = fs.readFileSync(path.join(packaged, "index.html"), "utf8");
// The floor: the page without its program (its scripts, and its code fetched ahead).
const floor = page.replace(/<script[\s\S]*?<\/script>\n?/g, "").replace(/<link rel="preload"[^>]*>\n?/, "");
const { server, address } = await serve(packaged, { extra: { "/floor.html": floor } });
const tests = await serve(testPage);
const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const slow = { download: (1.6 * 1024 * 1024 * 0.9) / 8, upload: (750 * 1024 * 0.9) / 8, latency: 150 * 3.75 };

// A first visit: the time of its first diagram (or first paint), and what it fetched by then.
async function visit(url, throttled) {
  const context = await browser.createBrowserContext();
  const tab = await context.newPage();
  if (throttled) {
    await tab.emulateNetworkConditions(slow);
    await tab.emulateCPUThrottling(4);
  }
  await tab.evaluateOnNewDocument(() => {
    new MutationObserver(() => {
      if (!window.drawnAt && document.getElementById("cmdRetry")?.getAttribute("aria-disabled") === "false") window.drawnAt = performance.now();
    }).observe(document, { subtree: true, attributes: true });
  });
  await tab.goto(url);
  const floorPage = url.endsWith("floor.html");
  await tab.waitForFunction((f) => (f ? performance.getEntriesByType("paint").length > 0 : window.drawnAt), {}, floorPage);
  const result = await tab.evaluate((f) => {
    const at = f ? performance.getEntriesByType("paint")[0].startTime : window.drawnAt;
    const fetched = [...performance.getEntriesByType("navigation"), ...performance.getEntriesByType("resource")]
      .filter((e) => e.responseEnd <= at);
    return { at, gzipped: fetched.reduce((s, e) => s + e.encodedBodySize, 0), files: fetched.reduce((s, e) => s + e.decodedBodySize, 0),
      names: fetched.map((e) => e.name.split("/").pop() || "index.html") };
  }, floorPage);
  await context.close();
  return result;
}

for (const [name, loads, throttled] of [["as the machine is", 30, false], ["throttled as Lighthouse's mobile", 10, true]]) {
  const pages = [];
  const floors = [];
  for (let k = 0; k < loads; k++) {
    pages.push(await visit(address, throttled));
    floors.push(await visit(`${address}floor.html`, throttled));
  }
  const [p, f] = [median(pages.map((r) => r.at)), median(floors.map((r) => r.at))];
  console.log(`${name}: navigation to the first diagram ${p.toFixed(1)} ms; floor's first paint ${f.toFixed(1)} ms; ratio ${(p / f).toFixed(2)}`);
  if (!throttled) {
    const { gzipped, files, names } = pages[0];
    console.log(`fetched before the first diagram: ${(gzipped / 1024).toFixed(1)} KiB gzipped (${(files / 1024).toFixed(1)} KiB as files): ${names.join(", ")}`);
  }
}

// 15 runs of seed 20 in the test page, Retry clicked: what each left in window.quilletTest.
async function runsOf(settings) {
  const tab = await browser.newPage();
  await tab.evaluateOnNewDocument((t) => { window.quilletTest = t; }, settings);
  await tab.goto(tests.address);
  await tab.waitForFunction(() => window.quilletTest.finishedAt !== undefined);
  const runs = [];
  for (let k = 0; k < 15; k++) {
    await tab.evaluate(() => { window.quilletTest.finishedAt = undefined; document.getElementById("cmdRetry").click(); });
    await tab.waitForFunction(() => window.quilletTest.finishedAt !== undefined);
    runs.push(await tab.evaluate(() => ({ ...window.quilletTest })));
  }
  await tab.close();
  return runs;
}
const runs = (await runsOf({ seed: 20 })).map((t) => t.finishedAt - t.startedAt);
// (apart: the split reads the clock at every pump)
const splits = (await runsOf({ seed: 20, split: true })).map((t) => t.split);
await browser.close();
server.close();
tests.server.close();
console.log(`a 99-site run (seed 20) in the page: ${median(runs).toFixed(1)} ms; ` +
  Object.keys(splits[0]).map((part) => `${part} ${median(splits.map((s) => s[part])).toFixed(2)} ms`).join(", "));
