// Offline use: every file of the site is kept in a cache at the first visit.
// Requests go to the network first, so that a new version arrives as soon as
// it is served, and fall back to the cache when the network is gone.
const CACHE = 'gosei-site';
const FILES = [
  './',
  'index.html',
  'page.css',
  'main.js',
  'engine.js',
  'engine-core.js',
  'engine-core.wasm',
  'cells.js',
  'messages.js',
  'help.js',
  'focus.js',
  'pictures.js',
  'scale.js',
  'manifest.webmanifest',
  'icon.svg',
  'icon-256.png',
  'fonts/gosei-pgothic.woff2',
  'fonts/gosei-gothic.woff2',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    fetch(event.request)
      .then((response) => {
        if (response.ok) {
          const copy = response.clone();
          caches.open(CACHE).then((cache) => cache.put(event.request, copy));
        }
        return response;
      })
      .catch(() => caches.match(event.request, { ignoreSearch: true })),
  );
});
