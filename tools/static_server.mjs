// A small static file server for the built site, on 127.0.0.1 only, that
// answers as a real static host does: validators (ETag, Last-Modified) and
// 304 for a file the browser already holds, and gzip where the browser
// takes it. Used by tools/serve-web and by the browser tests.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { pathToFileURL } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
};
// Already compressed, or not worth it.
const STORED_AS_THEY_ARE = new Set(['.png', '.woff2']);

function fileFor(base, request) {
  const urlPath = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const file = path.join(base, urlPath.endsWith('/') ? `${urlPath}index.html` : urlPath);
  const stat = file.startsWith(base + path.sep) && fs.existsSync(file) ? fs.statSync(file) : null;
  return stat?.isFile() ? { file, stat } : null;
}

// Serves a folder on the given port (0: any free one); resolves to
// { url, close, requests }, where requests lists { path, status, bytes }
// for each answer sent, bytes being the body as sent.
export function serveFolder(root, port = 0) {
  const base = path.resolve(root);
  const requests = [];
  const server = http.createServer((request, response) => {
    const send = (status, headers, body = Buffer.alloc(0)) => {
      requests.push({ path: new URL(request.url, 'http://localhost').pathname, status, bytes: body.length });
      response.writeHead(status, headers).end(request.method === 'HEAD' ? undefined : body);
    };
    const found = fileFor(base, request);
    if (!found) return send(404, {});
    const extension = path.extname(found.file);
    const gzip = !STORED_AS_THEY_ARE.has(extension) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '');
    const tag = `"${found.stat.size.toString(16)}-${found.stat.mtimeMs.toString(16)}${gzip ? '-gz' : ''}"`;
    const headers = {
      'Content-Type': TYPES[extension] ?? 'application/octet-stream',
      'Cache-Control': 'no-cache',
      ETag: tag,
      'Last-Modified': found.stat.mtime.toUTCString(),
      Vary: 'Accept-Encoding',
    };
    if (request.headers['if-none-match'] === tag) return send(304, headers);
    const content = fs.readFileSync(found.file);
    if (!gzip) return send(200, headers, content);
    send(200, { ...headers, 'Content-Encoding': 'gzip' }, zlib.gzipSync(content, { level: 9 }));
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        requests,
        close: () =>
          new Promise((done) => {
            server.closeAllConnections();
            server.close(done);
          }),
      });
    });
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [root = 'build-web/site', port = '8000'] = process.argv.slice(2);
  const { url } = await serveFolder(root, Number(port));
  console.log(`Serving ${root} on ${url} (Ctrl+C stops)`);
}
