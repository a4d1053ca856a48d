// The finder page beyond its answers: one column on phones, readable and
// tappable; clean for axe-core; stock lists kept in the browser; reached
// from the main page and the manifest; working offline after a first visit;
// a long search dropped for a newer request; networks drawn with the
// symbols of their kind.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { openPage, serveSite, withSiteAndBrowser } from './browser.mjs';
import { axeViolations } from './checkers.mjs';
import { answered, fillRequest, nativeAnswer, openFinder, shownAnswer, typeInto } from './finder_page.mjs';

const env = withSiteAndBrowser();

const STOCK = '1k\n2k2\n4k7, 0603\n10k # drawer 3\n22k\n47k';
// Requests that between them show every field.
const REQUESTS = [
  { mode: 'value', source: 'series', fields: { want: '4k7', series: 'E24', 'range-low': '1k', 'range-high': '100k' } },
  { mode: 'divider', source: 'stock', fields: { vref: '0.8', vout: '3.3', stock: STOCK, 'part-tolerance': '1' } },
];

// Where each shown control stands and how big its text is.
function measure(page) {
  return page.evaluate(() => {
    const controls = [...document.querySelectorAll('input:not([type="radio"]), select, textarea, button, .choices > label, a')];
    return {
      scrollWidth: document.documentElement.scrollWidth,
      form: document.getElementById('request').getBoundingClientRect().toJSON(),
      // The section gives way to its parts on a narrow screen.
      answer: document.getElementById('answer-title').getBoundingClientRect().toJSON(),
      controls: controls
        .filter((control) => control.checkVisibility())
        .map((control) => ({
          id: control.id || control.textContent.trim(),
          box: control.getBoundingClientRect().toJSON(),
          fontSize: parseFloat(getComputedStyle(control).fontSize),
          typed: control.matches('input, select, textarea'),
        })),
      widest: Math.max(...[...document.querySelectorAll('#results *')].map((e) => e.getBoundingClientRect().right)),
    };
  });
}

for (const [width, height] of [[375, 667], [320, 568]]) {
  test(`at ${width}x${height} the finder is one column, without sideways scrolling, and tappable`, async () => {
    const page = await openFinder(env.chromium.browser, env.site.url, { width, height, mobile: true });
    for (const request of REQUESTS) {
      await fillRequest(page, request);
      const { scrollWidth, form, answer, controls, widest } = await measure(page);
      assert.ok(scrollWidth <= width, `the page scrolls sideways: ${scrollWidth}`);
      assert.ok(widest <= width, `a result reaches ${widest}`);
      assert.ok(answer.top >= form.bottom, 'the results are not below the form');
      for (const { id, box, fontSize, typed } of controls) {
        assert.ok(box.left >= 0 && box.right <= width, `${id} at ${box.left}..${box.right}`);
        assert.ok(box.height >= 44, `${id} is ${box.height} high`);
        if (typed) assert.ok(fontSize >= 16, `${id} in ${fontSize} pixel text`);
      }
    }
    await page.close();
  });
}

const STATES = [
  { name: 'with results', viewport: { width: 1024, height: 768 }, request: REQUESTS[0] },
  { name: 'with a divider from a stock list at 375 pixels', viewport: { width: 375, height: 667, mobile: true }, request: REQUESTS[1] },
  { name: 'with a problem', viewport: { width: 1024, height: 768 }, request: { mode: 'value', source: 'series', fields: { want: '4k7x', series: 'E24' } } },
];
for (const { name, viewport, request } of STATES) {
  test(`axe-core finds no violation ${name}`, async () => {
    const page = await openFinder(env.chromium.browser, env.site.url, viewport);
    await fillRequest(page, request);
    assert.deepEqual(await axeViolations(page), []);
    await page.close();
  });
}

test('a stock list comes back at the next visit, and saved lists can be chosen again', async () => {
  const context = await env.chromium.browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(new URL('find.html', env.site.url).href);
  await answered(page);
  const request = { mode: 'value', source: 'stock', fields: { want: '3k3', 'stock-name': 'drawer', stock: '1k\n2k2' } };
  await fillRequest(page, request);
  await page.click('#stock-save');
  await page.reload();
  await answered(page);
  await page.click('#source-stock');
  assert.deepEqual(await page.$$eval('#stock-name, #stock', (fields) => fields.map((field) => field.value)), ['drawer', '1k\n2k2']);

  await typeInto(page, 'stock-name', 'other');
  await typeInto(page, 'stock', '4k7', { paste: true });
  await page.click('#stock-save');
  await page.select('#stock-lists', 'drawer');
  await typeInto(page, 'want', '3k3');
  await answered(page);
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'gosei-stock-'));
  fs.writeFileSync(path.join(folder, 'drawer'), '1k\n2k2');
  assert.deepEqual(await shownAnswer(page), nativeAnswer(['find', '3k3', '--stock=drawer'], folder));
  fs.rmSync(folder, { recursive: true });
  await page.click('#stock-delete');
  assert.deepEqual(await page.$$eval('#stock-lists option', (options) => options.map((option) => option.value)), ['', 'other']);
  await context.close();
});

test('networks are drawn with the symbols of the kind their value names', async () => {
  const page = await openFinder(env.chromium.browser, env.site.url);
  for (const [want, symbol] of [['4k7', 'resistor'], ['3.3nF', 'capacitor'], ['10uH', 'inductor']]) {
    await typeInto(page, 'want', want);
    await answered(page);
    const drawn = await page.$$eval('#results svg [data-symbol]', (nodes) => [...new Set(nodes.map((node) => node.dataset.symbol))]);
    assert.deepEqual(drawn, [symbol], want);
  }
  await page.close();
});

test('from many parts, the networks of fewer parts show while four are searched', async () => {
  const page = await openFinder(env.chromium.browser, env.site.url);
  await typeInto(page, 'want', '4k7');
  await answered(page);
  await page.select('#series', 'E192');
  // The summary says that four parts are being searched.
  await page.waitForFunction(() => document.getElementById('summary').textContent.endsWith('4 個の回路を探しています…'), { timeout: 20000 });
  assert.deepEqual(await shownAnswer(page), nativeAnswer(['find', '4k7', '--series=E192', '--parts=3']));
  await answered(page);
  assert.deepEqual(await shownAnswer(page), nativeAnswer(['find', '4k7', '--series=E192']));
  await page.close();
});

test('a newer request ends a long search at once; meanwhile the page says that one runs', async (t) => {
  const page = await openFinder(env.chromium.browser, env.site.url);
  // The slow request: dividers of four of 1,999 values that many hit
  // exactly, 1000 of them, with any total: some seconds. Its list is pasted
  // first and kept in its field while the quick request, four of E24's 4.7k
  // alone, is shown.
  const limits = { 'parts-min': '4', top: '1000', 'total-low': '0', 'total-high': '1e24' };
  const stock = Array.from({ length: 1999 }, (_, i) => 100 + i).join('\n');
  await fillRequest(page, { mode: 'divider', source: 'stock', fields: { ...limits, stock } });
  const series = { ...limits, want: '0.3', series: 'E24', 'range-low': '4k7', 'range-high': '4k7' };
  await fillRequest(page, { mode: 'divider', source: 'series', fields: series });
  const quick = nativeAnswer(['divider', '0.3', '--range=4k7..4k7', '--parts=4..4', '--top=1000', '--total=0..1e24']);

  await page.click('#source-stock');
  const opacity = () => Number(getComputedStyle(document.getElementById('results')).opacity);
  await page.waitForFunction(`(${opacity})() < 1`); // the older rows fade
  const shown = await page.$eval('#results', (results) => [
    results.getAttribute('aria-busy'),
    results.querySelectorAll('.row').length,
    document.getElementById('summary').textContent,
  ]);
  assert.deepEqual(shown, ['true', quick.rows.length, '探索中…']);

  // Back to the quick request, drawn in seconds rather than after the slow one.
  const clicked = performance.now();
  await page.click('#source-series');
  await page.waitForSelector('#results[aria-busy="false"]', { timeout: 10000 });
  t.diagnostic(`the quick request drawn ${Math.round(performance.now() - clicked)} ms after the click`);
  assert.deepEqual(await shownAnswer(page), quick);
  await page.waitForFunction(`(${opacity})() === 1`);
  await page.close();
});

test('both pages share a header that links each to the other, and the manifest names the finder as a shortcut', async () => {
  const page = await openPage(env.chromium.browser, env.site.url);
  const header = () =>
    page.$eval('.site-header', (header) => ({
      name: header.querySelector('.site-name').textContent,
      fontSize: getComputedStyle(header.querySelector('a')).fontSize,
      aboveWindow: header.getBoundingClientRect().bottom <= (document.getElementById('Form1') ?? document.querySelector('main')).getBoundingClientRect().top,
    }));
  const mainHeader = await header();
  const link = await page.$eval('.site-header a[href="find.html"]', (a) => ({ text: a.textContent }));
  await Promise.all([page.waitForNavigation(), page.click('.site-header a[href="find.html"]')]);
  await answered(page);
  assert.equal(await page.$eval('h1', (h1) => h1.textContent), '抵抗回路を探す');
  assert.deepEqual(await header(), mainHeader);
  assert.equal(mainHeader.aboveWindow, true);
  await Promise.all([page.waitForNavigation(), page.click('.site-header a[href="./"]')]);
  await page.waitForSelector('html[data-ready="true"]');
  await page.close();

  const manifest = await (await fetch(new URL('manifest.webmanifest', env.site.url))).json();
  assert.deepEqual(manifest.shortcuts.map(({ name, url }) => [name, url]), [[link.text, 'find.html']]);
});

test('after a first visit the finder reloads and searches with the network gone', async () => {
  const site = await serveSite();
  const context = await env.chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.goto(new URL('find.html', site.url).href);
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller) {
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
      }
    });
    await site.close();
    await page.reload();
    await answered(page);
    await typeInto(page, 'want', '4k7');
    await typeInto(page, 'range-low', '1k');
    await answered(page);
    assert.deepEqual(await shownAnswer(page), nativeAnswer(['find', '4k7', '--series=E24', '--range=1k..10M']));
  } finally {
    await context.close();
    await site.close();
  }
});
