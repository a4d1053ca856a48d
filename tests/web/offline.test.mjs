// Installable and offline: the manifest names the program and its icons,
// and once the page has been visited it reloads and calculates with its
// server gone.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, gridTexts, nativeBatch, withSiteAndBrowser } from './browser.mjs';

const env = withSiteAndBrowser();

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

test('after the first visit the page reloads and calculates with the network gone', async () => {
  const page = await openPage(env.chromium.browser, env.site.url);
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    // Installed; wait until it controls the page so the cache is complete.
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
    }
  });
  await env.site.close();
  env.site = null;
  await page.reload({ waitUntil: 'load' });
  await page.waitForSelector('html[data-ready="true"]');
  await page.type('#Text1', '47');
  await page.click('#Command1');
  const [, ...cells] = nativeBatch(['E6\t47'])[0];
  await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  assert.deepEqual(await gridTexts(page), cells);
});
