// The page's folder served as a static host should serve it (script/run web
// serves it so, and the page's tests load it from here): each file with its
// type (.wasm as application/wasm, which streaming compilation needs); a
// file's .gz beside it, where there is one, to a browser that takes gzip;
// each answer revalidated with its ETag before the browser's cache is used
// (the service worker keeps the page between visits; names without a hash
// must not be cached unchecked); a folder's index.html for the folder, and
// its name without the closing slash sent there; and nothing outside the
// folder.
//   const { server, address } = await serve(folder, { port, extra });
// extra adds pages of given text by path ("/floor.html": "..."). From the
// shell, `node web/serve.mjs FOLDER [PORT]` serves it on 127.0.0.1 and prints
// its address.
import crypto from "node:crypto";
import fs from "node:fs/promises";
import http from "node:http";
import path from "node:path";
import url from "node:url";

const types = {
  ".html": "text/html; charset=utf-8", ".css": "text/css", ".js": "text/javascript", ".wasm": "application/wasm",
  ".svg": "image/svg+xml", ".png": "image/png", ".webmanifest": "application/manifest+json", ".txt": "text/plain",
};
const typeOf = (name) => types[path.extname(name)] || "application/octet-stream";
const read = (file) => fs.readFile(file).catch(() => null);

async function answer(folder, extra, req, res) {
  const name = decodeURIComponent(new URL(req.url, "http://x").pathname).replace(/\/$/, "/index.html");
  const file = path.join(folder, name);
  if (!file.startsWith(folder + path.sep)) return res.writeHead(404).end();
  let body = Object.hasOwn(extra, name) ? Buffer.from(extra[name]) : await read(file);
  if (!body && await read(path.join(file, "index.html"))) {
    return res.writeHead(301, { Location: `${new URL(req.url, "http://x").pathname}/` }).end();
  }
  if (!body) return res.writeHead(404).end();
  const headers = { "Content-Type": typeOf(name), "Cache-Control": "no-cache", Vary: "Accept-Encoding" };
  const gzipped = /\bgzip\b/.test(req.headers["accept-encoding"] || "") && await read(`${file}.gz`);
  if (gzipped) {
    body = gzipped;
    headers["Content-Encoding"] = "gzip";
  }
  // (Each of a file's two forms has a tag of its own.)
  headers.ETag = `"${crypto.createHash("sha256").update(body).digest("base64url").slice(0, 22)}"`;
  if (req.headers["if-none-match"] === headers.ETag) return res.writeHead(304, headers).end();
  res.writeHead(200, { ...headers, "Content-Length": body.length }).end(req.method === "HEAD" ? undefined : body);
}

export async function serve(folder, { port = 0, extra = {} } = {}) {
  const root = path.resolve(folder);
  const server = http.createServer((req, res) => answer(root, extra, req, res).catch(() => res.writeHead(500).end()));
  await new Promise((resolve) => server.listen(port, "127.0.0.1", resolve));
  return { server, address: `http://127.0.0.1:${server.address().port}/` };
}

if (process.argv[1] && url.pathToFileURL(await fs.realpath(process.argv[1])).href === import.meta.url) {
  const { address } = await serve(process.argv[2], { port: Number(process.argv[3] || 0) });
  console.log(address);
}
