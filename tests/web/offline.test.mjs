// Installable and offline: the manifest names the program and its icons;
// the first visit downloads each file once and keeps the site, so that it
// reloads from the cache with nothing but validators and calculates with
// its server gone; a new version takes over on the next visit.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { openPage, gridTexts, nativeBatch, serveSite, siteDirectory, withSiteAndBrowser } from './browser.mjs';

const env = withSiteAndBrowser();

// Resolves once the page's service worker has kept the site and controls
// the page.
function controlled(page) {
  return page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
    }
  });
}

async function calculatesE6Of47(page) {
  await page.type('#Text1', '47');
  await page.click('#Command1');
  const [, ...cells] = nativeBatch(['E6\t47'])[0];
  await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  assert.deepEqual(await gridTexts(page), cells);
}

test('the web app manifest names the program, its start page and its icons', async () => {
  const manifest = await (await fetch(new URL('manifest.webmanifest', env.site.url))).json();
  assert.equal(manifest.name, '合成抵抗算出ソフト');
  assert.equal(manifest.start_url, './');
  assert.equal(manifest.display, 'standalone');
  for (const icon of manifest.icons) {
    const response = await fetch(new URL(icon.src, env.site.url));
    assert.equal(response.status, 200, icon.src);
  }
});

test('Chromium finds the page installable', async () => {
  const page = await openPage(env.chromium.browser, env.site.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const devtools = await page.createCDPSession();
  const { installabilityErrors } = await devtools.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  await page.close();
});

test('the server answers as a static host does: gzip, validators, 304', async () => {
  const url = new URL('engine-core.wasm', env.site.url);
  const first = await fetch(url, { headers: { 'Accept-Encoding': 'gzip' } });
  const body = Buffer.from(await first.arrayBuffer());
  assert.equal(first.headers.get('content-encoding'), 'gzip');
  assert.deepEqual(body, fs.readFileSync(path.join(siteDirectory, 'engine-core.wasm')));
  const again = await fetch(url, { headers: { 'Accept-Encoding': 'gzip', 'If-None-Match': first.headers.get('etag') } });
  assert.equal(again.status, 304);
  assert.equal((await again.arrayBuffer()).byteLength, 0);
});

test('the first visit downloads each file once, and a warm reload nothing but validators', async () => {
  const site = await serveSite();
  const context = await env.chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.goto(site.url);
    await page.waitForSelector('html[data-ready="true"]');
    await controlled(page);
    const downloads = site.requests
      .filter((request) => request.status === 200)
      .map((request) => request.path.replace(/\/$/, '/index.html'));
    assert.deepEqual(downloads.filter((file, i) => downloads.indexOf(file) !== i), [], 'downloaded twice');
    // The bundled faces only where the page uses them, not where the
    // original or the IPA faces are installed.
    const facesUsed = await page.evaluate(() => [...document.fonts].some((face) => face.family.includes('gosei') && face.status !== 'unloaded'));
    assert.equal(downloads.some((file) => file.startsWith('/fonts/')), facesUsed, downloads.join(' '));

    site.requests.length = 0;
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    assert.deepEqual(site.requests.filter((request) => request.status !== 304), []);
  } finally {
    await context.close();
    await site.close();
  }
});

// Loads the bundled faces as a page without the installed faces would;
// resolves to their states.
function loadBundledFaces(page) {
  return page.evaluate(async () => {
    const faces = [...document.fonts].filter((face) => face.family.includes('gosei'));
    await Promise.allSettled(faces.map((face) => face.load()));
    return faces.map((face) => face.status);
  });
}

test('after the first visit the page reloads and calculates with the network gone', async () => {
  const page = await openPage(env.chromium.browser, env.site.url);
  await controlled(page);
  assert.deepEqual(await loadBundledFaces(page), ['loaded', 'loaded']);
  await env.site.close();
  env.site = null;
  await page.reload({ waitUntil: 'load' });
  await page.waitForSelector('html[data-ready="true"]');
  await calculatesE6Of47(page);
  // The faces the page used before are kept as well.
  assert.deepEqual(await loadBundledFaces(page), ['loaded', 'loaded']);
});

// A copy of the site that the test can change into a new version, its
// service worker written again as the build writes it.
const sourceDirectory = fileURLToPath(new URL('../../web/', import.meta.url));
const siteFileList =
  process.env.GOSEI_SITE_FILES ?? fileURLToPath(new URL('../../build-web/web/site-files.txt', import.meta.url));

function newVersion(site) {
  const page = path.join(site, 'index.html');
  fs.writeFileSync(page, fs.readFileSync(page, 'utf8').replace('<html lang="ja">', '<html lang="ja" data-version="new">'));
  execFileSync('cmake', [
    `-DSITE=${site}`,
    `-DFILES=${siteFileList}`,
    `-DCODE=${path.join(sourceDirectory, 'service-worker.js')}`,
    '-P',
    path.join(sourceDirectory, 'write_service_worker.cmake'),
  ]);
}

test('offline, a finder address with a request and a fragment opens from the cache and searches', async () => {
  const site = await serveSite();
  const context = await env.chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.goto(new URL('find.html', site.url).href);
    await controlled(page);
    await page.setOfflineMode(true);
    await page.goto(new URL('find.html?want=4k7&series=E12#x', site.url).href);
    await page.waitForSelector('#results[aria-busy="false"]', { timeout: 20000 });
    assert.deepEqual(await page.$eval('#want', (want) => want.value), '4k7');
    assert.ok((await page.$$('#results .row')).length > 0, 'no rows');
  } finally {
    await context.close();
    await site.close();
  }
});

test('a new version takes over on the next visit, copies what did not change, and works offline', async () => {
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'gosei-site-'));
  fs.cpSync(siteDirectory, copy, { recursive: true });
  const site = await serveSite(copy);
  const context = await env.chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.goto(site.url);
    await controlled(page);
    newVersion(copy);
    const version = () => page.evaluate(() => document.documentElement.dataset.version ?? 'first');
    const [firstCache] = await page.evaluate(() => caches.keys());
    // This visit still shows the version kept, and finds the new one, which
    // replaces the old cache with its own.
    site.requests.length = 0;
    await page.reload();
    assert.equal(await version(), 'first');
    await page.waitForFunction(
      async (old) => {
        const names = await caches.keys();
        return names.length === 1 && names[0] !== old;
      },
      { polling: 100, timeout: 10000 },
      firstCache,
    );
    // Only the changed page and the new worker come from the server.
    assert.deepEqual([...new Set(site.requests.map((request) => request.path))].sort(), ['/', '/service-worker.js']);
    await site.close();
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    assert.equal(await version(), 'new');
    await calculatesE6Of47(page);
  } finally {
    await context.close();
    await site.close();
    fs.rmSync(copy, { recursive: true, force: true });
  }
});
