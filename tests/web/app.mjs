// The page as a web app, in Debian's chromium, headless, served from the
// package as script/run web serves it: its Content-Security-Policy in force,
// with nothing of the page's own against it; installable; after one visit it
// opens and draws with the network gone; and a new version's files replace
// the old ones, a page open meanwhile keeping every file of its own.
//   node app.mjs PACKAGED_PAGE_FOLDER
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { after, test } from "node:test";
import { launch, open, said } from "./browse.mjs";
import { serve } from "../../web/serve.mjs";

const [packaged] = process.argv.slice(2);
const web = path.join(path.dirname(new URL(import.meta.url).pathname), "../../web");
const browser = await launch("chromium");
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "quillet-app-"));
after(async () => {
  await browser.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

// A server of its own for each test: each origin starts with no service worker.
async function host(folder, extra) {
  const { server, address } = await serve(folder, { extra });
  after(() => server.close());
  return { address, server, gone: () => new Promise((done) => server.close(done) && server.closeAllConnections()) };
}
const desk = { width: 1000, height: 700, deviceScaleFactor: 1 };
// A copy of the packaged page, changed by change(folder), in a folder of its
// own, served without the gzipped files (which would be the old ones).
function copy(name, change) {
  const folder = path.join(scratch, name);
  fs.cpSync(packaged, folder, { recursive: true });
  for (const gz of fs.readdirSync(folder).filter((f) => f.endsWith(".gz"))) fs.rmSync(path.join(folder, gz));
  change(folder);
  return folder;
}
// Until a diagram is finished: its count told.
const drawn = (tab) => tab.waitForFunction(() => document.getElementById("told").textContent !== "")
  .catch((e) => { throw new Error(`no diagram; the page said: ${JSON.stringify(said(tab))}`, { cause: e }); });
// Until the service worker is active, with the page's files kept.
const kept = (tab) => tab.evaluate(async () => {
  const worker = (await navigator.serviceWorker.ready).active;
  if (worker.state !== "activated") await new Promise((done) => worker.addEventListener("statechange", done));
  return worker.state;
});

test("the page's policy is in force, and the page itself breaks none of it", async () => {
  const { address } = await host(packaged);
  const tab = await browser.newPage();
  await tab.evaluateOnNewDocument(() => {
    window.refused = [];
    document.addEventListener("securitypolicyviolation", (e) => window.refused.push(e.effectiveDirective));
  });
  const tabSaid = [];
  tab.on("console", (m) => tabSaid.push(m.text()));
  await tab.goto(address);
  await drawn(tab);
  await kept(tab);
  assert.deepEqual([await tab.evaluate(() => window.refused), tabSaid], [[], []], "nothing refused, nothing said");
  const ran = await tab.evaluate(() => new Promise((done) => {
    const script = Object.assign(document.createElement("script"), { textContent: "window.ran = true" });
    document.body.append(script);
    const style = Object.assign(document.createElement("style"), { textContent: "body { display: none }" });
    document.head.append(style);
    setTimeout(() => done([window.ran === true, getComputedStyle(document.body).display, window.refused]), 0);
  }));
  assert.deepEqual(ran, [false, "flex", ["script-src-elem", "style-src-elem"]], "a script or style added to the page is refused");
  await tab.close();
});

test("the host serves each file gzipped where it can, revalidated, and nothing outside the folder", async () => {
  const { address } = await host(packaged);
  const get = (name, headers = {}) => fetch(new URL(name, address), { headers: { "Accept-Encoding": "gzip", ...headers } });
  const code = await get("quillet.wasm");
  assert.deepEqual(["content-type", "content-encoding", "cache-control", "vary"].map((h) => code.headers.get(h)),
    ["application/wasm", "gzip", "no-cache", "Accept-Encoding"]);
  assert.equal((await get("quillet.wasm", { "If-None-Match": code.headers.get("etag") })).status, 304, "unchanged: 304");
  assert.equal((await get("manifest.webmanifest")).headers.get("content-type"), "application/manifest+json");
  assert.equal((await get("..%2f..%2f..%2f..%2f..%2f..%2fetc%2fpasswd")).status, 404, "nothing outside the folder");
  const { address: site } = await host(path.dirname(copy("folders/app", () => {})));
  const bare = await fetch(new URL("app", site), { redirect: "manual" });
  assert.deepEqual([bare.status, bare.headers.get("location")], [301, "/app/"], "a folder's name leads to the folder");
});

test("a page that cannot run says why, its buttons off, with no uncaught error", async () => {
  const ways = [["with JavaScript off", () => {}, /Turn it on/], ["without its code", (f) => fs.rmSync(path.join(f, "quillet.wasm")), /connection/],
    ["with its code broken", (f) => fs.writeFileSync(path.join(f, "quillet.wasm"), "not WebAssembly"), /connection/],
    ["without its script", (f) => fs.rmSync(path.join(f, "quillet.js")), /connection/],
    ["opened from disk", () => {}, /web server/]];
  for (const [way, change, says] of ways) {
    const folder = copy(way.replaceAll(" ", "-"), change);
    const address = way === "opened from disk" ? `file://${folder}/index.html` : (await host(folder)).address;
    const tab = await browser.newPage();
    const thrown = [];
    tab.on("pageerror", (e) => thrown.push(String(e)));
    await tab.setJavaScriptEnabled(way !== "with JavaScript off");
    await tab.goto(address);
    // (one line at a time)
    const shown = await tab.waitForFunction(() => [...document.querySelectorAll(".said")]
      .filter((p) => p.checkVisibility({ visibilityProperty: true })).map((p) => p.textContent).join("|"));
    assert.match(await shown.jsonValue(), new RegExp(`^[^|]*${says.source}[^|]*$`), way);
    await tab.$$eval("button", (all) => all.forEach((b) => b.click()));
    assert.deepEqual([await tab.$$eval("button", (all) => all.map((b) => b.disabled)), thrown], [[true, true], []], way);
    await tab.close();
  }
});

test("a first visit, the worker's install included, fetches at most 45 KB", async (t) => {
  const { address, server } = await host(packaged);
  const sockets = [];
  const whole = [];  // each file sent in full, by name
  server.on("connection", (socket) => sockets.push(socket));
  server.on("request", (req, res) => res.on("finish", () => res.statusCode === 200 &&
    whole.push(new URL(req.url, address).pathname.replace(/\/$/, "/index.html"))));
  const tab = await open(browser, address, {}, desk);
  await drawn(tab);
  await kept(tab);
  const bytes = sockets.reduce((sum, socket) => sum + socket.bytesWritten, 0);
  t.diagnostic(`${bytes} bytes over the wire`);
  assert.ok(bytes <= 45 * 1024, `${bytes} bytes`);
  assert.deepEqual(whole.filter((name, k) => whole.indexOf(name) !== k), [], "no file sent twice: the install revalidates");
  await tab.close();
});

test("chromium finds the page installable", async () => {
  const { address } = await host(packaged);
  const tab = await open(browser, address, {}, desk);
  await drawn(tab);
  await kept(tab);
  const cdp = await tab.createCDPSession();
  assert.deepEqual((await cdp.send("Page.getInstallabilityErrors")).installabilityErrors, []);
  await tab.close();
});

test("after one visit the app opens at its start and draws with the network gone", async () => {
  const { address, gone } = await host(packaged);
  const first = await open(browser, address, {}, desk);
  await drawn(first);
  assert.equal(await kept(first), "activated");
  // (Where an installed app opens: the manifest's start, as chromium reads it.)
  const { startUrl } = (await (await first.createCDPSession()).send("Page.getAppManifest")).manifest;
  await first.close();
  await gone();
  const again = await open(browser, startUrl, {}, desk);
  await drawn(again);
  assert.deepEqual(said(again), [], "the console says nothing");
  await again.close();
});

test("a new version's files replace the old ones, and no page mixes the two", async () => {
  // The page in a folder of a site, beside a page outside the worker's reach
  // that watches it.
  const site = path.join(scratch, "site");
  const app = copy("site/app", () => {});
  const { address } = await host(site, { "/watch.html": "<!DOCTYPE html><title>watch</title>" });
  const files = ["index.html", "page.css", "quillet.js", "quillet.wasm"];
  const on = (version) => files.map((f) => fs.readFileSync(path.join(version, f)).toString("base64"));
  const seen = (tab) => tab.evaluate(async (names) => Promise.all(names.map(async (name) => {
    const bytes = new Uint8Array(await (await fetch(name)).arrayBuffer());
    let text = "";
    for (const b of bytes) text += String.fromCharCode(b);
    return btoa(text);
  })), files);
  const cacheOf = (folder) => `quillet-${fs.readFileSync(path.join(folder, "sw.js"), "utf8").match(/"quillet-([0-9a-f]+)"/)[1]}`;

  const old = await open(browser, `${address}app/`, {}, desk);
  await drawn(old);
  await kept(old);
  const open1 = await open(browser, `${address}app/`, {}, desk);  // a page on the old version, left open
  await drawn(open1);
  const v1 = path.join(scratch, "v1");
  fs.cpSync(app, v1, { recursive: true });

  // The host gets a new version: quillet.js changed, and the worker stamped anew by the build's own step.
  fs.appendFileSync(path.join(app, "quillet.js"), "// the next version\n");
  // (The build names the files it stamps in kept.txt: here, those the old worker kept.)
  const kept1 = [...fs.readFileSync(path.join(app, "sw.js"), "utf8").matchAll(/\["([^"]+)", "[0-9a-f]{64}"\]/g)];
  fs.writeFileSync(path.join(app, "kept.txt"), kept1.map((m) => `${m[1]}\n`).join(""));
  execFileSync("cmake", ["-D", `FOLDER=${app}`, "-D", `TEMPLATE=${web}/sw.js`, "-P", `${web}/stamp.cmake`]);
  assert.notEqual(cacheOf(app), cacheOf(v1), "a new version's cache has a new name");
  await open1.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
  const watch = await browser.newPage();
  await watch.goto(`${address}watch.html`);
  await watch.waitForFunction(async () => (await navigator.serviceWorker.getRegistration("/app/")).waiting !== null);
  assert.deepEqual(await seen(open1), on(v1), "the page open during the update keeps the old version's files");

  await old.close();
  await open1.close();
  await watch.waitForFunction(async (name) => {
    const registration = await navigator.serviceWorker.getRegistration("/app/");
    return registration.waiting === null && JSON.stringify(await caches.keys()) === JSON.stringify([name]);
  }, {}, cacheOf(app));
  const next = await open(browser, `${address}app/`, {}, desk);
  await drawn(next);
  assert.deepEqual(await seen(next), on(app), "a page opened after the update has the new version's files");
  assert.deepEqual(said(next), [], "the console says nothing");
  await next.close();
});

test("files that are not the worker's version are never kept", async () => {
  // A host halfway through an update: quillet.js new, the worker still the old one's.
  const { address } = await host(copy("halfway", (folder) => fs.appendFileSync(path.join(folder, "quillet.js"), "// newer\n")));
  const tab = await open(browser, address, {}, desk);
  await drawn(tab);
  const fate = await tab.evaluate(async () => {
    // (As the page registers it: the same registration, or, where that one's install has failed already, anew.)
    const registration = await navigator.serviceWorker.register("sw.js");
    const worker = registration.installing || registration.waiting || registration.active;
    while (!["redundant", "activated"].includes(worker.state))
      await new Promise((done) => worker.addEventListener("statechange", done, { once: true }));
    return [worker.state, await caches.keys()];
  });
  assert.deepEqual(fate, ["redundant", []], "the worker is not installed, and nothing is kept");
  await tab.close();
});
