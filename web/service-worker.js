// Offline use, cache first. At the first visit every file of the site but
// the fonts is kept in a cache named after the site's version, and served
// from there; a font is kept once the page has used one. A new version
// installs beside the old one while the old one still serves the page,
// copying the files that did not change, and takes over on the next visit. The build puts VERSION and FILES ([name,
// SHA-256, 'precached' or 'on-demand']) ahead of this code.
const CACHE = `gosei-${VERSION}`;
const scope = self.registration.scope;
const url = (name) => new URL(name, scope).href;
const HASHES = new Map(FILES.map(([name, hash]) => [url(name), hash]));
// A page is visited by its folder's address rather than as index.html.
const visited = (key) => key.replace(/index\.html$/, '');

async function sha256(response) {
  const digest = await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer());
  return [...new Uint8Array(digest)].map((byte) => byte.toString(16).padStart(2, '0')).join('');
}

// Only a file of this very version is kept, so that a site caught halfway
// through its deployment is never kept as a mixture.
async function keep(cache, key, response) {
  const kept = response.ok && (await sha256(response)) === HASHES.get(key);
  if (kept) await cache.put(key, response.clone());
  return kept;
}

const keys = (wanted) => FILES.filter(([, , kind]) => kind === wanted).map(([name]) => url(name));

// A file that an older version kept as this version has it, byte for byte,
// is copied from there rather than downloaded again.
async function keptBefore(cache, key) {
  for (const name of await caches.keys()) {
    if (name === CACHE || !name.startsWith('gosei-')) continue;
    const older = await (await caches.open(name)).match(key);
    if (older && (await keep(cache, key, older))) return true;
  }
  return false;
}

self.addEventListener('install', (event) => {
  event.waitUntil(
    (async () => {
      const cache = await caches.open(CACHE);
      // Otherwise revalidated, under the address the page used, so that an
      // unchanged file already in the browser's cache is not downloaded
      // again either.
      const kept = await Promise.all(
        keys('precached').map(
          async (key) => (await keptBefore(cache, key)) || keep(cache, key, await fetch(visited(key), { cache: 'no-cache' })),
        ),
      );
      if (kept.includes(false)) throw new Error(`the server does not hold version ${VERSION} whole`);
      // A font the page has used already is in the browser's cache; the
      // others are not fetched.
      for (const key of keys('on-demand')) {
        if (await keptBefore(cache, key)) continue;
        const used = await fetch(key, { cache: 'only-if-cached', mode: 'same-origin' }).catch(() => null);
        if (used) await keep(cache, key, used);
      }
      await self.skipWaiting();
    })(),
  );
});

// The older caches go once this version serves the pages.
self.addEventListener('activate', (event) => {
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys()) {
        if (name !== CACHE && name.startsWith('gosei-')) await caches.delete(name);
      }
      await self.clients.claim();
    })(),
  );
});

async function cachedOrFetched(key, request) {
  const cache = await caches.open(CACHE);
  const cached = await cache.match(key);
  if (cached) return cached;
  const response = await fetch(request);
  await keep(cache, key, response);
  return response;
}

self.addEventListener('fetch', (event) => {
  // A page's address may carry a request (find.html?want=4k7) or a
  // fragment: the file is the same.
  const address = new URL(event.request.url);
  address.search = '';
  address.hash = '';
  const key = address.href.endsWith('/') ? `${address.href}index.html` : address.href;
  if (event.request.method !== 'GET' || !HASHES.has(key)) return;
  event.respondWith(cachedOrFetched(key, event.request));
});
