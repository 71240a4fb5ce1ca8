// The page in Debian's chromium, headless, driven by puppeteer-core: it draws
// exactly what quillet-trace prints for the same seed and canvas; the box is
// centred and the buttons are where the desktop has them; the keys work the
// buttons as on the desktop; End mid-run ends it; axe-core finds nothing
// wrong, and the accessibility tree has the buttons and the newest count; the
// console stays empty. In Debian's chromium, or its firefox-esr (through
// WebDriver BiDi, which has no accessibility tree to give: that check is
// chromium's alone).
//   node page.mjs PAGE_FOLDER QUILLET_TRACE [chromium|firefox]
import { execFileSync } from "node:child_process";
import { createRequire } from "node:module";
import fs from "node:fs";
import puppeteer from "puppeteer-core";
import { serve } from "./serve.mjs";

const [folder, traceTool, kind = "chromium"] = process.argv.slice(2);
const axe = fs.readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
let failed = 0;
const check = (ok, what, saw = "") => {
  console.log(`${ok ? "ok" : "FAIL"}: ${what}${ok || saw === "" ? "" : `: ${saw}`}`);
  if (!ok) failed++;
};

const { server, address } = await serve(folder);

const browser = await puppeteer.launch(kind === "firefox"
  ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr" }
  : { executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
const said = [];
async function open(test, scale = 1) {
  const page = await browser.newPage();
  // (Firefox ESR 140 cannot emulate the screen's orientation, which puppeteer
  // asks for beside the viewport and the page has no use for: then the
  // viewport, asked for at the same time, is waited for.)
  const viewport = { width: 1000, height: 700, deviceScaleFactor: scale };
  await page.setViewport(viewport).catch((e) => {
    if (!String(e.message).includes("unknown command emulation.setScreenOrientationOverride")) throw e;
    return page.waitForFunction((v) => innerWidth === v.width && innerHeight === v.height &&
      devicePixelRatio === v.deviceScaleFactor, {}, viewport);
  });
  page.on("console", (m) => said.push(m.text()));
  page.on("pageerror", (e) => said.push(String(e)));
  await page.evaluateOnNewDocument((t) => { window.quilletTest = t; }, test);
  await page.goto(address);
  return page;
}
// An access key as a person presses it: in chromium Alt and the letter, with
// the text the letter types, which is what it looks for (puppeteer's own
// keyboard drops the text while Alt is down); in firefox Alt+Shift and the letter.
async function accessKey(page, letter) {
  if (kind === "firefox") {
    for (const k of ["Alt", "Shift"]) await page.keyboard.down(k);
    await page.keyboard.press(`Key${letter.toUpperCase()}`);
    for (const k of ["Shift", "Alt"]) await page.keyboard.up(k);
    return;
  }
  const cdp = await page.createCDPSession();
  const code = letter.toUpperCase().charCodeAt(0);
  const key = { modifiers: 1, key: letter, code: `Key${letter.toUpperCase()}`, windowsVirtualKeyCode: code };
  await cdp.send("Input.dispatchKeyEvent", { type: "keyDown", ...key, text: letter, unmodifiedText: letter });
  await cdp.send("Input.dispatchKeyEvent", { type: "keyUp", ...key });
  await cdp.detach();
}
const told = (page) => page.$eval("#told", (e) => e.textContent);
// (A run that never finishes fails with what the page said: an error, say.)
const finished = (page) => page.waitForFunction(() => document.getElementById("told").textContent !== "")
  .catch((e) => { throw new Error(`no run finished; the page said: ${JSON.stringify(said)}`, { cause: e }); });
const trace = (page) => page.evaluate(() => window.quilletTest.trace.join("\n") + "\n");
const traceOf = (seed) => execFileSync(traceTool, ["--seed", String(seed), "--canvas", "788", "565"], { encoding: "utf8" });

// What is drawn: the trace of the same seed, operation for operation.
for (const seed of [1, 2, 3, 42, 1000]) {
  const page = await open({ seed, trace: [] });
  await finished(page);
  const drawn = await trace(page);
  check(drawn === traceOf(seed), `seed ${seed}: the page draws what quillet-trace prints`,
    `${drawn.split("\n").length} lines against ${traceOf(seed).split("\n").length}`);
  await page.close();
}

// Where things are, and the keys.
// (31 sites: 465 pumps, a turn for the browser at each.)
const page = await open({ seed: 11, trace: [], turnEveryPump: true });
await finished(page);
const place = await page.evaluate(() => {
  const r = (id) => { const b = document.getElementById(id).getBoundingClientRect(); return [b.x, b.y, b.width, b.height]; };
  return { box: r("canvas"), retry: r("cmdRetry"), end: r("cmdEnd") };
});
const [x, y] = place.box;
check(JSON.stringify(place.box) === JSON.stringify([(1000 - 788) / 2, (700 - 565) / 2, 788, 565]), "the box is centred", place.box);
check(JSON.stringify(place.retry) === JSON.stringify([x + 16, y + 8, 57, 25]) &&
  JSON.stringify(place.end) === JSON.stringify([x + 112, y + 8, 57, 25]), "the buttons are at the desktop's places", JSON.stringify(place));
const focused = () => page.evaluate(() => document.activeElement.id);
check(await focused() === "cmdRetry", "the focus is on Retry after the first run", await focused());
// The trace's length after k runs: its canvas line, then a run's lines k times.
const lines = async () => (await page.evaluate(() => window.quilletTest.trace.length));
const run = (await lines()) - 1;
const after = (k) => 1 + k * run;

// Alt+R draws anew; during that run, Alt+R, Space and Enter on End do nothing.
await accessKey(page, "r");
await page.waitForFunction((n) => window.quilletTest.trace.length > n + 10, {}, after(1));
check(await page.$eval("#cmdRetry", (b) => b.disabled), "Retry is off while a run draws");
await accessKey(page, "r");
await page.focus("#cmdEnd");
await page.keyboard.press(" "); await page.keyboard.press("Enter");
await finished(page);
await page.waitForFunction(() => !document.getElementById("cmdRetry").disabled);
check(await lines() === after(2), "Alt+R after a run draws it anew, once; keys mid-run change nothing",
  `${await lines()} lines, ${run} a run`);
check(!(await page.$("#ended")), "Space and Enter on End mid-run do not end it");
check(await focused() === "cmdRetry", "the focus is on Retry after a run started by Alt+R", await focused());

// Tab, Space and Enter work the buttons.
await page.keyboard.press("Enter");
await page.waitForFunction((n) => window.quilletTest.trace.length === n && !document.getElementById("cmdRetry").disabled, {}, after(3));
check(true, "Enter on Retry draws anew");
await page.keyboard.press(" ");
await page.waitForFunction((n) => window.quilletTest.trace.length === n && !document.getElementById("cmdRetry").disabled, {}, after(4));
check(true, "Space on Retry draws anew");

// The accessibility tree: the buttons by name, the newest count.
const tree = kind === "firefox" ? null : await page.accessibility.snapshot();
const nodes = (n) => [n, ...(n.children || []).flatMap(nodes)];
const shown = (tree ? nodes(tree) : []).map((n) => `${n.role} "${n.name}"${n.description ? ` (${n.description})` : ""}`);
const wanted = ['main "Quillet" (Draws the nearest-site diagram of random points)',
  'button "Retry" (Clear the window and draw a new diagram)', 'button "End" (Quit Quillet at once)', 'status ""'];
if (tree) check(wanted.every((w) => shown.includes(w)) && shown.length === 6,
  "the accessibility tree: the box, the buttons by name and description, the live region", shown.join("; "));
check(/^A nearest-site diagram of \d+ sites$/.test(await told(page)), "the live region tells the newest count", await told(page));
await page.addScriptTag({ content: axe });
const violations = await page.evaluate(async () => (await window.axe.run()).violations.map((v) => v.id));
check(violations.length === 0, "axe-core finds no violation", violations.join(", "));

// Alt+E mid-run ends the program: the run stops, the page says so.
await accessKey(page, "r");
await page.waitForFunction((n) => window.quilletTest.trace.length > n + 10, {}, after(4));
await accessKey(page, "e");
await page.waitForSelector("#ended");
const stopped = await lines();
await new Promise((r) => setTimeout(r, 0));
check(stopped < after(5) && (await told(page)) === "", "Alt+E mid-run stops the run, and no count is told",
  `${stopped} of ${after(5)}`);

check(said.length === 0, "the console says nothing", said.join(" | "));
await browser.close();
server.close();
if (failed) {
  console.log(`page: ${failed} failed`);
  process.exit(1);
}
console.log("page: all passed");
