// The page, headless in Debian's chromium or firefox-esr (WebDriver BiDi,
// which has no accessibility tree and no touch to give: those are chromium's
// alone): it draws exactly what quillet-trace prints for the same seed, on
// every screen from a small phone to a 4K monitor, zoomed or not; the box is
// wholly on screen there, and its buttons are on screen, large enough and
// work; the keys work the buttons as on the desktop and the focus stays in
// the page; End mid-run ends it; axe-core finds nothing wrong; the console
// stays empty.
//   node page.mjs PAGE_FOLDER QUILLET_TRACE [chromium|firefox]
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import { createRequire } from "node:module";
import { after, test } from "node:test";
import { finished, launch, open, said } from "./browse.mjs";
import { serve } from "../../web/serve.mjs";

const [folder, traceTool, kind = "chromium"] = process.argv.slice(2);
const { server, address } = await serve(folder);
const browser = await launch(kind);
after(async () => {
  await browser.close();
  server.close();
});

const traceOf = (seed) => execFileSync(traceTool, ["--seed", String(seed), "--canvas", "788", "565"], { encoding: "utf8" });
const traceIn = (tab) => tab.evaluate(() => window.quilletTest.trace.join("\n") + "\n");
const lines = (text) => text.split("\n").length - 1;
const focused = (tab) => tab.evaluate(() => document.activeElement.id);
const ring = (tab) => tab.$eval("#cmdRetry", (b) => getComputedStyle(b).outlineStyle);

test("the page draws what quillet-trace prints", async () => {
  for (const seed of [1, 2, 3, 42, 1000]) {
    const tab = await open(browser, address, { seed, trace: [] }, { width: 1000, height: 700, deviceScaleFactor: 1 });
    await finished(tab);
    const drawn = await traceIn(tab);
    assert.ok(drawn === traceOf(seed), `seed ${seed}: ${lines(drawn)} lines against ${lines(traceOf(seed))}`);
    await tab.close();
  }
});

test("a slow run gives the browser its turns as it draws", async () => {
  // A run as on a slow processor: 4851 pumps (99 sites) of 0.05 ms or more, well past its first turn.
  const tab = await open(browser, address, { seed: 20, pumpMs: 0.05 }, { width: 1000, height: 700, deviceScaleFactor: 1 });
  await finished(tab);
  await tab.evaluate(() => {
    window.painted = [];
    const paint = () => requestAnimationFrame(() => window.painted.push(performance.now()) && paint());
    paint();
    document.getElementById("cmdRetry").click();
  });
  await finished(tab, 2);
  const [took, turns] = await tab.evaluate(({ startedAt: s, finishedAt: f } = window.quilletTest) =>
    [f - s, window.painted.filter((t) => t > s && t < f).length]);
  const long = await tab.evaluate(({ startedAt: s, finishedAt: f } = window.quilletTest) =>
    window.quilletTest.longTasks.filter((t) => t.startTime + t.duration > s && t.startTime < f).map((t) => t.duration));
  assert.ok(took > 50 && turns > 0, `a run of ${took.toFixed(0)} ms, with ${turns} frames painted while it drew`);
  assert.deepEqual(long, [], "no task of 50 ms or more while it drew");
  await tab.close();
});

test("a count is told when a screen reader hears it: the first once the page has settled, the same again anew", async () => {
  // One seed, one diagram: a run's count takes the place of the same count,
  // which a screen reader hears only if the clear was shown in a frame first.
  const tab = await open(browser, address, { seed: 11 }, { width: 1000, height: 700, deviceScaleFactor: 1 });
  const told = (n) => tab.waitForFunction((n) => window.quilletTest.tellings.length === n, {}, n);
  await told(1);
  await tab.click("#cmdRetry");
  await told(3);
  const tellings = await tab.evaluate(() => window.quilletTest.tellings);
  assert.deepEqual(tellings.map(([, text]) => text), [tellings[0][1], "", tellings[0][1]], "Retry clears the count, then tells it");
  assert.ok(tellings[0][2] >= 1500, `the first count 1.5 s after the load event: ${JSON.stringify(tellings)}`);
  assert.ok(tellings[2][0] - tellings[1][0] >= 2, `two frames from the clear to the count: ${JSON.stringify(tellings)}`);
  await tab.close();
});

// Screens people use. A browser zoomed to z on a w x h screen shows a page
// of w/z x h/z CSS pixels, each z device pixels wide.
const zoomed = (width, height, z) => ({ width: Math.floor(width / z), height: Math.floor(height / z), deviceScaleFactor: z });
const touch = (width, height, deviceScaleFactor) => ({ width, height, deviceScaleFactor, isMobile: true, hasTouch: true });
const screens = [
  ["a small phone", touch(320, 568, 2)],
  ["a phone", touch(390, 844, 3)],
  ["a phone on its side", touch(844, 390, 3)],
  ["a tablet", touch(768, 1024, 2)],
  ["a tablet held wide", touch(1024, 768, 2)],
  ["a laptop", zoomed(1366, 768, 1)],
  ["a laptop at 50 %", zoomed(1366, 768, 0.5)],
  ["a laptop at 125 %", zoomed(1366, 768, 1.25)],
  ["a laptop at 150 %", zoomed(1366, 768, 1.5)],
  ["a laptop at 200 %", zoomed(1366, 768, 2)],
  ["a screen at 400 %", zoomed(1280, 800, 4)],
  ["a 4K screen", zoomed(3840, 2160, 1)],
];
const seed = 5;
for (const [name, viewport] of screens) {
  // (Firefox's BiDi has no touch to emulate.)
  test(`on ${name} the whole box and its buttons are on screen and work`, { skip: kind === "firefox" && viewport.hasTouch }, async () => {
    const tab = await open(browser, address, { seed, trace: [] }, viewport);
    await finished(tab);
    const { box, retry, end, canvas, screen, captions, rules } = await tab.evaluate(() => {
      const element = (id) => document.getElementById(id);
      const at = (id) => (({ x, y, width, height }) => ({ x, y, width, height }))(element(id).getBoundingClientRect());
      const fits = (b) => b.scrollWidth <= b.clientWidth && parseFloat(getComputedStyle(b).fontSize) >= 12;
      const style = (e) => getComputedStyle(e);
      return {
        box: at("box"), retry: at("cmdRetry"), end: at("cmdEnd"), canvas: [element("canvas").width, element("canvas").height],
        screen: { x: 0, y: 0, width: innerWidth, height: innerHeight }, captions: [...document.querySelectorAll("button")].every(fits),
        rules: [style(document.documentElement).touchAction, style(document.documentElement).overscrollBehaviorY,
          style(element("box")).touchAction, style(document.querySelector("main")).userSelect],
      };
    });
    const within = (r, outer) => r.x >= outer.x && r.y >= outer.y &&
      r.x + r.width <= outer.x + outer.width + 0.01 && r.y + r.height <= outer.y + outer.height + 0.01;
    const apart = (a, b) => a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
    assert.ok(within(box, screen) && Math.abs(box.width / box.height - 788 / 565) < 0.005,
      `the box ${JSON.stringify(box)} whole, in its shape, on the screen ${JSON.stringify(screen)}`);
    assert.ok([retry, end].every((b) => within(b, screen) && b.width >= 24 && b.height >= 24) && apart(retry, end) && captions,
      `the buttons on screen, apart, 24 x 24 or more, their captions fitting at 12 px or more: ${JSON.stringify([retry, end])}`);
    // Drawn at the device's pixels, and with room for the whole box, as on the desktop.
    const device = (v) => Math.round(v * viewport.deviceScaleFactor);
    assert.ok(Math.abs(canvas[0] - device(box.width)) <= 1 && Math.abs(canvas[1] - device(box.height)) <= 1,
      `the canvas ${canvas} at the device's pixels of the box, ${device(box.width)} x ${device(box.height)}`);
    if (viewport.hasTouch) {
      assert.ok([retry, end].every((b) => b.width >= 44 && b.height >= 44) && apart(box, retry) && apart(box, end),
        `a finger's buttons, 44 x 44 or more, off the box: ${JSON.stringify([retry, end])}`);
    } else if (screen.width >= 788 && screen.height >= 565) {
      const [x, y] = [(screen.width - 788) / 2, (screen.height - 565) / 2];
      assert.deepEqual([box, retry, end], [{ x, y, width: 788, height: 565 },
        { x: x + 16, y: y + 8, width: 57, height: 25 }, { x: x + 112, y: y + 8, width: 57, height: 25 }]);
    }
    if (viewport.hasTouch) {
      assert.deepEqual(rules, ["manipulation", "none", "pinch-zoom", "none"],
        "a double tap does not zoom, a swipe does not pull the page, nor pan it on the box, and nothing is selected");
    }

    // A tap or a click on Retry draws the same seed's diagram again; on End, ends.
    const press = async (id) => {
      const { x, y } = await tab.$eval(id, (b) => { const r = b.getBoundingClientRect(); return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; });
      await (viewport.hasTouch ? tab.touchscreen.tap(x, y) : tab.mouse.click(x, y));
    };
    await press("#cmdRetry");
    await finished(tab, 2);
    const once = traceOf(seed);
    assert.ok(await traceIn(tab) === once + once.slice(once.indexOf("\n") + 1), "Retry draws the seed's diagram again");
    assert.deepEqual([await focused(tab), await ring(tab)], ["cmdRetry", "none"], "the focus on Retry, with no ring after a click or a tap");
    await press("#cmdEnd");
    await tab.waitForSelector("#ended");
    assert.equal(await focused(tab), "ended", "after End the focus rests on what the page says");
    assert.match(await tab.$eval("#ended", (e) => e.textContent), /start again, reload/, "and it says how to start again");
    assert.deepEqual(said(tab), [], "the console says nothing");
    await tab.close();
  });
}

// The canvas's pixels: how many are the background (opaque black), and how many are drawn.
const pixels = (tab) => tab.$eval("#canvas", (c) => {
  const data = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
  let [black, drawn] = [0, 0];
  for (let k = 0; k < data.length; k += 4) {
    const opaqueBlack = data[k] + data[k + 1] + data[k + 2] === 0 && data[k + 3] === 255;
    black += opaqueBlack;
    drawn += !opaqueBlack && data[k + 3] === 255;
  }
  return { black: black / (data.length / 4), drawn };
});

// Printed, the box shrinks to the sheet and is drawn again, on its own black
// (backgrounds are not printed), without the buttons; in a light or a dark
// contrast theme, the diagram stays black with its light lines, and the
// buttons take the theme's colours.
test("printed, or in a contrast theme, the diagram stays as drawn", { skip: kind === "firefox" }, async () => {
  const tab = await open(browser, address, { seed: 3, trace: [] }, { width: 1000, height: 700, deviceScaleFactor: 1 });
  await finished(tab);
  await tab.emulateMediaType("print");
  await tab.setViewport({ width: 600, height: 800, deviceScaleFactor: 1 });
  await tab.waitForFunction(() => document.getElementById("canvas").width < 600);
  const printed = await pixels(tab);
  assert.ok(printed.black > 0.9 && printed.drawn > 1000, `printed: ${JSON.stringify(printed)}`);
  assert.equal(await tab.$eval("#bar", (b) => getComputedStyle(b).display), "none", "no buttons on paper");
  await tab.emulateMediaType(null);
  const cdp = await tab.createCDPSession();
  for (const scheme of ["light", "dark"]) {
    await cdp.send("Emulation.setEmulatedMedia", { features: [{ name: "forced-colors", value: "active" },
      { name: "prefers-color-scheme", value: scheme }] });
    await tab.click("#cmdRetry");
    await finished(tab, scheme === "light" ? 2 : 3);
    const themed = await pixels(tab);
    assert.ok(themed.black > 0.9 && themed.drawn > 1000, `in a ${scheme} contrast theme: ${JSON.stringify(themed)}`);
    const looks = await tab.$eval("#cmdEnd", (b) => [getComputedStyle(b).color, getComputedStyle(b).backgroundColor]);
    assert.notDeepEqual(looks, ["rgb(0, 0, 0)", "rgb(239, 239, 239)"], `the buttons in the ${scheme} theme's colours`);
  }
  await tab.close();
});

// An access key as a person presses it: Alt and the letter in chromium,
// Alt+Shift and the letter in Firefox, as its rule for access keys has it.
async function accessKey(tab, letter) {
  const held = kind === "firefox" ? ["Alt", "Shift"] : ["Alt"];
  for (const k of held) await tab.keyboard.down(k);
  await tab.keyboard.press(`Key${letter.toUpperCase()}`);
  for (const k of held.reverse()) await tab.keyboard.up(k);
}
// Until n frames have been shown: time for a run that went on to draw.
const frames = (tab, n) => tab.evaluate((n) => new Promise((done) => {
  const next = () => (--n === 0 ? done() : requestAnimationFrame(next));
  requestAnimationFrame(next);
}), n);

test("the keys work the buttons as on the desktop, and the focus stays in the page", async () => {
  // (31 sites: 465 pumps, a turn for the browser at each.)
  const tab = await open(browser, address, { seed: 11, trace: [], turnEveryPump: true }, { width: 1000, height: 700, deviceScaleFactor: 1 });
  await finished(tab);
  assert.deepEqual([await focused(tab), await ring(tab)], ["cmdRetry", "none"], "the focus on Retry after the first run, no ring before a key");
  assert.equal(await tab.evaluate(() => window.quilletTest.focusedAtTrace), 1, "Retry has the focus before the first run draws");
  // The trace's length after k runs: its canvas line, then a run's lines k times.
  const length = () => tab.evaluate(() => window.quilletTest.trace.length);
  const run = (await length()) - 1;
  const after = (k) => 1 + k * run;
  const growing = (k) => tab.waitForFunction((n) => window.quilletTest.trace.length > n + 10, {}, after(k));

  // Alt+R draws anew; during that run, Retry is off and keeps the focus, and
  // Alt+R, Space and Enter on End do nothing.
  await accessKey(tab, "r");
  await growing(1);
  assert.deepEqual(await tab.$eval("#cmdRetry", (b) => [b.getAttribute("aria-disabled"), document.activeElement === b]),
    ["true", true], "Retry is off while a run draws, and keeps the focus");
  await accessKey(tab, "r");
  await tab.focus("#cmdEnd");
  await tab.keyboard.press(" ");
  await tab.keyboard.press("Enter");
  await finished(tab, 2);
  assert.equal(await length(), after(2), "Alt+R after a run draws it anew, once; keys mid-run change nothing");
  assert.equal(await tab.$("#ended"), null, "Space and Enter on End mid-run do not end it");
  assert.deepEqual([await focused(tab), await ring(tab)], ["cmdRetry", "solid"], "the focus, and its ring, on Retry after a run started by Alt+R");

  // Enter and Space on Retry draw anew.
  await tab.keyboard.press("Enter");
  await finished(tab, 3);
  assert.equal(await length(), after(3), "Enter on Retry draws anew");
  await tab.keyboard.press(" ");
  await finished(tab, 4);
  assert.equal(await length(), after(4), "Space on Retry draws anew");

  // Nothing on the page is selected by a triple click, a long press's cousin.
  await tab.mouse.click(500, 20, { count: 3 });
  assert.equal(await tab.evaluate(() => getSelection().toString().trim()), "", "nothing is selected");

  // The accessibility tree: the box, the buttons by name, description and key, the newest count.
  await tab.waitForFunction(() => document.getElementById("told").textContent);
  if (kind !== "firefox") {
    const nodes = (n) => [n, ...(n.children || []).flatMap(nodes)];
    const shown = nodes(await tab.accessibility.snapshot()).map((n) =>
      `${n.role} "${n.name}"${n.description ? ` (${n.description})` : ""}${n.keyshortcuts ? ` [${n.keyshortcuts}]` : ""}`);
    assert.deepEqual(shown.slice(1), [`main "Quillet" (${process.env.QUILLET_ABOUT})`,
      `button "Retry" (${process.env.QUILLET_RETRY_ABOUT}) [Alt+R]`, `button "End" (${process.env.QUILLET_END_ABOUT}) [Alt+E]`,
      'generic ""', `StaticText "${await tab.$eval("#told", (e) => e.textContent)}"`]);
  }
  assert.match(await tab.$eval("#told", (e) => e.textContent), /^A nearest-site diagram of \d+ sites$/, "the live region tells the newest count");
  const axe = fs.readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
  await tab.evaluate(axe);  // (as the browser's console would: the page's policy lets no script be added)
  assert.deepEqual(await tab.evaluate(async () => (await window.axe.run()).violations.map((v) => v.id)), [], "axe-core finds no violation");

  // Alt+E mid-run ends the program: the run draws no more, frame after
  // frame; the page says so, and the focus rests there.
  await accessKey(tab, "r");
  await growing(4);
  await accessKey(tab, "e");
  await tab.waitForSelector("#ended");
  const stopped = await length();
  await frames(tab, 5);
  assert.ok(stopped < after(5) && (await length()) === stopped, `Alt+E mid-run stops the run: ${stopped}, then ${await length()} of ${after(5)} lines`);
  assert.equal(await tab.$eval("#told", (e) => e.textContent), "", "no count is told");
  assert.equal(await focused(tab), "ended", "the focus rests on what the page says");
  const dimmed = await tab.$eval(".over", (e) => getComputedStyle(e).backgroundColor);
  assert.ok(Number(/^rgba\(0, 0, 0, ([\d.]+)\)$/.exec(dimmed)?.[1]) >= 0.75, `the words over the drawing dimmed: ${dimmed}`);
  // Tab reaches the button that starts again, which Enter presses: a new page, a new run.
  await tab.keyboard.press("Tab");
  assert.deepEqual(await tab.evaluate(() => [document.activeElement.id, document.activeElement.textContent]), ["again", "Start again"]);
  await Promise.all([tab.waitForNavigation(), tab.keyboard.press("Enter")]);
  await finished(tab);
  assert.deepEqual(said(tab), [], "the console says nothing");
});
