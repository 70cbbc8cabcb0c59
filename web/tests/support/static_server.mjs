// A static file server for the built page on an ephemeral port of the loopback, with the MIME
// types a host must send (application/wasm lets the browser compile while it downloads) and, as
// every common host does, Last-Modified and 304 for a file the browser has. `requests` lists
// each request's path and status.
import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { extname, join, normalize, sep } from "node:path";

const TYPES = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".svg": "image/svg+xml",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
};

// `extra` maps paths to pages served beside the folder's files (the web benchmark's bare page);
// `headers` go with each file (a host's Cache-Control).
export async function serve(root, port = 0, extra = {}, headers = {}) {
  const requests = [];
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    response.on("finish", () => requests.push({ path, status: response.statusCode }));
    if (path in extra) {
      response.writeHead(200, { "Content-Type": TYPES[".html"] }).end(extra[path]);
      return;
    }
    const file = normalize(join(root, path.endsWith("/") ? `${path}index.html` : path));
    if (!file.startsWith(normalize(root) + sep)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const modified = new Date(Math.floor((await stat(file)).mtimeMs / 1000) * 1000);
      const since = Date.parse(request.headers["if-modified-since"] ?? "");
      if (since >= modified.getTime()) {
        response.writeHead(304).end();
        return;
      }
      const body = await readFile(file);
      response.writeHead(200, {
        "Content-Type": TYPES[extname(file)] ?? "application/octet-stream",
        "Last-Modified": modified.toUTCString(),
        ...headers,
      });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(port, "127.0.0.1", resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    requests,
    // Kept-alive connections too, or closing would wait for the browser to drop them.
    close: () =>
      new Promise((closed) => {
        server.close(closed);
        server.closeAllConnections();
      }),
  };
}
