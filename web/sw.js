// Quillet's service worker: it keeps one version of the page's files, each
// checked against the SHA-256 that the build wrote below, and serves the page
// from them, so that after one visit Quillet opens and draws with no network.
// A new version installs beside the old one and serves the page from the next
// time Quillet opens after every window and tab on the old one has closed;
// the old version's files are then dropped. A page never mixes two versions.
"use strict";

const version = "quillet-@VERSION@";
const files = new Map([
@FILES@]);

const hex = (buffer) => Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, "0")).join("");

// Each file asked for anew, its copy in the browser's HTTP cache revalidated
// (a copy still current costs a 304, not a second copy; the page itself as
// it was opened, its folder), and checked: a file of another version (the
// host updated halfway) fails the install, which the browser tries again at
// a later visit. Nothing is kept until all have passed.
self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const checked = await Promise.all([...files].map(async ([name, sha256]) => {
      const response = await fetch(name === "index.html" ? "./" : name, { cache: "no-cache" });
      const body = await response.clone().arrayBuffer();
      if (!response.ok || hex(await crypto.subtle.digest("SHA-256", body)) !== sha256)
        throw new Error(`${name} is not this version's`);
      return [name, response];
    }));
    const cache = await caches.open(version);
    await Promise.all(checked.map(([name, response]) => cache.put(name, response)));
  })());
});

// Only Quillet's own caches of other versions go.
self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    const others = (await caches.keys()).filter((name) => name.startsWith("quillet-") && name !== version);
    await Promise.all(others.map((name) => caches.delete(name)));
  })());
});

// The page's files from this version's cache; the folder itself is its
// index.html. Anything else goes to the network as it would without this.
self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  const scope = new URL(self.registration.scope);
  if (event.request.method !== "GET" || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  const name = url.pathname.slice(scope.pathname.length) || "index.html";
  if (!files.has(name)) return;
  event.respondWith((async () => (await (await caches.open(version)).match(name)) || fetch(event.request))());
});
