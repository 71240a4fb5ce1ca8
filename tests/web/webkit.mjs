// The page in WebKit, Safari's engine, as Debian's WebKitGTK has it: its
// MiniBrowser in a real window, driven through WebKitWebDriver. The tests'
// page draws what quillet-trace prints; the packaged page, framed at a
// phone's, a tablet's and a laptop's size (MiniBrowser's window is never
// narrower than about 450 px; a frame is a viewport of its own to the page's
// layout), shows its whole box and its buttons; Alt+R and Alt+E press them
// with the focus where it belongs; after one visit the page opens and draws
// with the network gone.
//   node webkit.mjs TEST_PAGE_FOLDER PACKAGED_PAGE_FOLDER QUILLET_TRACE   (on an X display)
import assert from "node:assert/strict";
import { execFileSync, spawn } from "node:child_process";
import fs from "node:fs";
import net from "node:net";
import path from "node:path";
import { after, test } from "node:test";
import { serve } from "../../web/serve.mjs";

const [testPage, packaged, traceTool] = process.argv.slice(2);

// The W3C WebDriver protocol, as much of it as these tests use.
const port = await new Promise((done) => {
  const probe = net.createServer().listen(0, "127.0.0.1", () => {
    const { port: free } = probe.address();
    probe.close(() => done(free));
  });
});
const driver = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore" });
async function wd(method, route, body) {
  const answer = await fetch(`http://127.0.0.1:${port}${route}`,
    { method, headers: { "Content-Type": "application/json" }, body: body && JSON.stringify(body) });
  const { value } = await answer.json();
  if (!answer.ok) throw new Error(`${method} ${route}: ${value.error}: ${value.message}`);
  return value;
}
async function until(condition, what, seconds = 60) {
  for (const end = Date.now() + seconds * 1000; Date.now() < end; await new Promise((d) => setTimeout(d, 100))) {
    const value = await condition().catch(() => undefined);
    if (value) return value;
  }
  throw new Error(`never: ${what}`);
}
await until(() => fetch(`http://127.0.0.1:${port}/status`).then((r) => r.ok), "WebKitWebDriver ready");
const { sessionId } = await wd("POST", "/session", { capabilities: { alwaysMatch: { "webkitgtk:browserOptions": { args: ["--automation"] } } } });
after(async () => {
  await wd("DELETE", `/session/${sessionId}`);
  driver.kill();
});
const session = (route, body) => wd(body ? "POST" : "GET", `/session/${sessionId}${route}`, body);
const run = (script, ...args) => session("/execute/sync", { script, args });
const go = (url) => session("/url", { url });
const keys = (...pressed) => session("/actions", { actions: [{ type: "key", id: "keyboard",
  actions: [...pressed.map((value) => ({ type: "keyDown", value })), ...pressed.reverse().map((value) => ({ type: "keyUp", value }))] }] });
const alt = "\uE00A";
await session("/window/rect", { width: 1500, height: 1300 });

// The page's state, read in it.
const runs = () => run(`const t = window.quilletTest; return t && document.getElementById("cmdRetry").getAttribute("aria-disabled") === "false" ? t.runs : 0;`);
const focused = () => run("return document.activeElement.id;");
const told = () => run(`return document.getElementById("told").textContent;`);

test("WebKit draws what quillet-trace prints", async () => {
  // The tests' page, its hook set by a script of its own before the program's.
  const index = fs.readFileSync(path.join(testPage, "index.html"), "utf8");
  const { server, address } = await serve(testPage, { extra: {
    "/hooked.html": index.replace('<script src="quillet.js">', '<script src="hook.js"></script><script src="quillet.js">'),
    "/hook.js": "window.quilletTest = { seed: Number(new URLSearchParams(location.search).get('seed')), trace: [], runs: 0 };",
  } });
  after(() => server.close());
  for (const seed of [1, 2, 42]) {
    await go(`${address}hooked.html?seed=${seed}`);
    await until(async () => (await runs()) === 1, `seed ${seed} drawn`);
    const drawn = await run(`return window.quilletTest.trace.join("\\n") + "\\n";`);
    const traced = execFileSync(traceTool, ["--seed", String(seed), "--canvas", "788", "565"], { encoding: "utf8" });
    assert.ok(drawn === traced, `seed ${seed}: ${drawn.split("\n").length} lines against ${traced.split("\n").length}`);
  }

  // Alt+R draws anew, the focus on Retry after it; Alt+E ends, the focus on what the page says.
  assert.deepEqual(await run(`return [document.activeElement.id, getComputedStyle(document.activeElement).outlineStyle];`),
    ["cmdRetry", "none"], "the focus on Retry after the first run, no ring before a key");
  await keys(alt, "r");
  await until(async () => (await runs()) === 2, "Alt+R drew anew");
  assert.equal(await focused(), "cmdRetry", "the focus on Retry after a run Alt+R started");
  await keys(alt, "e");
  await until(() => run(`return document.getElementById("ended") !== null;`), "Alt+E ended");
  assert.equal(await focused(), "ended", "after End the focus rests on what the page says");
});

const screens = [["a phone", 390, 844], ["a tablet", 768, 1024], ["a laptop", 1366, 768]];
test("WebKit shows the whole box and its buttons on a phone, a tablet and a laptop", async () => {
  const frames = Object.fromEntries(screens.map(([, w, h]) =>
    [`/${w}x${h}.html`, `<!DOCTYPE html><body style="margin:0"><iframe src="/" width="${w}" height="${h}" style="border:0"></iframe>`]));
  const { server, address } = await serve(packaged, { extra: frames });
  after(() => server.close());
  for (const [name, width, height] of screens) {
    await go(`${address}${width}x${height}.html`);
    await session("/frame", { id: 0 });
    await until(told, `${name}: a diagram drawn`);
    const { box, retry, end, screen } = await run(`
      const at = (id) => (({ x, y, width, height }) => ({ x, y, width, height }))(document.getElementById(id).getBoundingClientRect());
      return { box: at("box"), retry: at("cmdRetry"), end: at("cmdEnd"), screen: { x: 0, y: 0, width: innerWidth, height: innerHeight } };`);
    assert.deepEqual([screen.width, screen.height], [width, height], `${name}: the frame is the page's viewport`);
    const within = (r) => r.x >= 0 && r.y >= 0 && r.x + r.width <= width + 0.01 && r.y + r.height <= height + 0.01;
    const apart = (a, b) => a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
    assert.ok(within(box) && Math.abs(box.width / box.height - 788 / 565) < 0.005, `${name}: the whole box ${JSON.stringify(box)}`);
    assert.ok([retry, end].every((b) => within(b) && b.width >= 24 && b.height >= 24) && apart(retry, end),
      `${name}: the buttons on screen and apart: ${JSON.stringify([retry, end])}`);
    await session("/frame", { id: null });
  }
});

test("after one visit, WebKit opens the page and draws with the network gone", async () => {
  const { server, address } = await serve(packaged);
  await go(address);
  await until(told, "a diagram drawn");
  await until(() => run(`navigator.serviceWorker.ready.then((r) => { window.keptState = r.active.state; });
    return window.keptState === "activated";`), "the page kept by its service worker");
  await new Promise((done) => server.close(done) && server.closeAllConnections());
  await go(address);
  await until(told, "a diagram drawn with the network gone");
});
