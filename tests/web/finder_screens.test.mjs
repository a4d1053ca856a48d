// The finder page on every screen from a phone's to a wide monitor's: no
// sideways scrolling whatever the rows hold, the best result in view on a
// phone right after typing, a thousand rows a part count drawn without
// holding the page, and the request kept in the page's address.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { withSiteAndBrowser } from './browser.mjs';
import { answered, fillRequest, nativeAnswer, openFinder, shownAnswer, typeInto } from './finder_page.mjs';

const env = withSiteAndBrowser();

const WIDTHS = [320, 375, 600, 768, 1024, 1180, 1920];
// The widest rows: networks of four parts, and a regulator's dividers of
// up to four.
const WIDE_REQUESTS = [
  { mode: 'value', source: 'series', fields: { want: '4k7', series: 'E24', 'parts-min': '4', 'parts-max': '4' } },
  { mode: 'divider', source: 'series', fields: { vref: '0.8', vout: '3.3', series: 'E24', 'parts-max': '4' } },
];

test('no width from 320 to 1920 pixels scrolls sideways, whatever the rows', async () => {
  const page = await openFinder(env.chromium.browser, env.site.url);
  // Rows off screen are not laid out; here every one of them counts.
  await page.addStyleTag({ content: '.row { content-visibility: visible !important; }' });
  for (const request of WIDE_REQUESTS) {
    await fillRequest(page, request);
    for (const width of WIDTHS) {
      await page.setViewport({ width, height: 800 });
      const [scrollWidth, innerWidth] = await page.evaluate(() => [document.documentElement.scrollWidth, innerWidth]);
      assert.ok(scrollWidth <= innerWidth, `${request.mode} at ${width}: ${scrollWidth} pixels wide`);
    }
  }
  await page.close();
});

test('on a phone the best result is in view right after typing a value, and so is the field', async () => {
  const page = await openFinder(env.chromium.browser, env.site.url, { width: 375, height: 667, mobile: true });
  await typeInto(page, 'want', '4k7');
  await answered(page);
  const [summary, want, text] = await page.evaluate(() => [
    document.getElementById('summary').getBoundingClientRect().toJSON(),
    document.getElementById('want').getBoundingClientRect().toJSON(),
    document.getElementById('summary').textContent,
  ]);
  assert.match(text, /最も近いのは/);
  assert.ok(summary.top >= 0 && summary.bottom <= 667, `the summary at ${summary.top}..${summary.bottom}`);
  assert.ok(want.top >= 0 && want.bottom <= summary.top, `the field at ${want.top}..${want.bottom}`);
  await page.close();
});

test('a thousand networks a part count are drawn without a task of more than 200 ms', async (t) => {
  const page = await openFinder(env.chromium.browser, env.site.url);
  await page.evaluate(() => {
    window.longTasks = [];
    new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((entry) => entry.duration))).observe({
      type: 'longtask',
    });
  });
  await page.select('#series', 'E192');
  await typeInto(page, 'top', '1000');
  await typeInto(page, 'want', '4k7');
  await page.waitForSelector('#results[aria-busy="false"]', { timeout: 120000 });
  const longTasks = await page.evaluate(() => window.longTasks);
  t.diagnostic(`long tasks (ms): ${longTasks.map(Math.round).join(', ')}`);
  assert.ok(Math.max(0, ...longTasks) <= 200, `a task of ${Math.round(Math.max(...longTasks))} ms`);
  // Every row, in order, once the slices are done.
  assert.deepEqual(await shownAnswer(page), nativeAnswer(['find', '4k7', '--series=E192', '--top=1000']));
  await page.close();
});

const fieldValues = (page) =>
  page.evaluate(() => ({
    want: document.getElementById('want').value,
    series: document.getElementById('series').value,
    source: document.querySelector('[name="source"]:checked').value,
  }));

test('the request lives in the address: it is read at load, kept while typing, and Back goes to the one before', async () => {
  const page = await env.chromium.browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await page.goto(new URL('find.html?want=4k7&series=E12', env.site.url).href);
  await answered(page);
  assert.deepEqual(await fieldValues(page), { want: '4k7', series: 'E12', source: 'series' });
  const first = await shownAnswer(page);
  assert.deepEqual(first, nativeAnswer(['find', '4k7', '--series=E12']));
  // What + and | stand for, above the rows.
  assert.equal(await page.$eval('#legend', (legend) => legend.checkVisibility()), true);

  // Typed one key at a time: one entry of the history for the new value.
  await typeInto(page, 'want', '3k3');
  await answered(page);
  const second = await shownAnswer(page);
  assert.deepEqual(second, nativeAnswer(['find', '3k3', '--series=E12']));
  assert.equal(new URL(page.url()).searchParams.get('want'), '3k3');
  await page.reload();
  await answered(page);
  assert.deepEqual(await shownAnswer(page), second);

  await page.goBack();
  await answered(page);
  assert.deepEqual(await fieldValues(page), { want: '4k7', series: 'E12', source: 'series' });
  assert.deepEqual(await shownAnswer(page), first);
  await page.close();
});

test('a stock list named in the address is used, its text kept in the browser; the source comes back without one', async () => {
  const context = await env.chromium.browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(new URL('find.html', env.site.url).href);
  await answered(page);
  await fillRequest(page, { mode: 'value', source: 'stock', fields: { want: '3k3', 'stock-name': 'drawer', stock: '1k\n2k2' } });
  await page.click('#stock-save');
  const address = new URL(page.url());
  assert.equal(address.searchParams.get('source'), 'stock');
  assert.equal(address.searchParams.get('stock-name'), 'drawer');
  assert.equal(address.searchParams.has('stock'), false);

  // Another list edited since; the address's name brings the saved one.
  await typeInto(page, 'stock', '4k7');
  await page.goto(address.href);
  await answered(page);
  assert.equal(await page.$eval('#stock', (stock) => stock.value), '1k\n2k2');
  // Without a request in the address, the source chosen last comes back.
  await page.goto(new URL('find.html', env.site.url).href);
  await answered(page);
  assert.equal((await fieldValues(page)).source, 'stock');
  await context.close();
});
