// Offline use: the service worker keeps the whole site. It is registered
// once the page and what it loads itself have arrived (`loaded`), so that
// the worker finds them in the browser's cache rather than downloading them
// a second time.
export function keepOffline(loaded) {
  if (!('serviceWorker' in navigator)) return;
  const pageLoaded = new Promise((resolve) => window.addEventListener('load', resolve, { once: true }));
  Promise.all([pageLoaded, loaded]).then(() => navigator.serviceWorker.register('./service-worker.js'));
}
