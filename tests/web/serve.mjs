// The page's folder served as a static host serves it, on a free port of
// 127.0.0.1: each file with its MIME type (.wasm as application/wasm, which
// the browser's streaming compilation needs), and a folder's index.html for
// the folder. extra adds pages of given text by path ("/floor.html": "...").
// From the shell, `node serve.mjs FOLDER` serves it and prints its address.
//   const { server, address } = await serve(folder, extra);
import fs from "node:fs";
import http from "node:http";
import path from "node:path";

const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm", ".svg": "image/svg+xml" };
const typeOf = (name) => types[path.extname(name)] || "application/octet-stream";

export async function serve(folder, extra = {}) {
  const server = http.createServer((req, res) => {
    const name = new URL(req.url, "http://x").pathname.replace(/\/$/, "/index.html");
    if (Object.hasOwn(extra, name)) return res.writeHead(200, { "Content-Type": typeOf(name) }).end(extra[name]);
    fs.readFile(path.join(folder, name), (err, data) => {
      res.writeHead(err ? 404 : 200, { "Content-Type": typeOf(name) });
      res.end(err ? "" : data);
    });
  });
  await new Promise((r) => server.listen(0, "127.0.0.1", r));
  return { server, address: `http://127.0.0.1:${server.address().port}/` };
}

// node serve.mjs FOLDER: serves it until stopped, and prints its address.
if (import.meta.url === `file://${fs.realpathSync(process.argv[1])}`) {
  const { address } = await serve(process.argv[2]);
  console.log(address);
}
