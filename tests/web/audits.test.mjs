// The page as third-party checkers see it: axe-core finds no violation in
// the states a person meets, and Lighthouse scores it in full with its
// mobile and its desktop settings, without layout shift.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, setBox, withSiteAndBrowser } from './browser.mjs';
import { axeViolations, lighthouseReport } from './checkers.mjs';

const env = withSiteAndBrowser();

const DESKTOP = { width: 1024, height: 768 };
const PHONE = { width: 375, height: 667, mobile: true };
const STATES = [
  { name: 'on load', viewport: DESKTOP, reach: async () => {} },
  {
    name: 'after E6 47',
    viewport: DESKTOP,
    reach: async (page) => {
      await setBox(page, 'Text1', '47');
      await page.click('#Command1');
      await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
    },
  },
  { name: 'with the help window open', viewport: { width: 1280, height: 800 }, reach: (page) => page.click('#Command5') },
  {
    name: 'with a message open',
    viewport: DESKTOP,
    reach: async (page) => {
      await setBox(page, 'Text1', '-47');
      await page.click('#Command1');
      await page.waitForSelector('dialog[open]');
    },
  },
  { name: 'at 375 pixels', viewport: PHONE, reach: async () => {} },
  { name: 'at 375 pixels with the help sheet', viewport: PHONE, reach: (page) => page.tap('#Command5') },
];
for (const { name, viewport, reach } of STATES) {
  test(`axe-core finds no violation ${name}`, async () => {
    const page = await openPage(env.chromium.browser, env.site.url, viewport);
    await reach(page);
    assert.deepEqual(await axeViolations(page), []);
    await page.close();
  });
}

// The calculator and the finder.
const PAGES = [
  { name: 'the page', path: '' },
  { name: 'the finder page', path: 'find.html' },
];
for (const preset of ['mobile', 'desktop']) for (const { name, path } of PAGES) {
  test(`Lighthouse with its ${preset} settings scores ${name} in full`, async () => {
    const url = new URL(path, env.site.url).href;
    const { scores, metrics, shortfalls } = await lighthouseReport(env.chromium.browser, url, preset);
    assert.ok(scores.performance >= 0.98, `performance ${scores.performance}: ${shortfalls.join('; ')}`);
    assert.deepEqual(
      { accessibility: scores.accessibility, 'best-practices': scores['best-practices'], seo: scores.seo, cls: metrics.cls },
      { accessibility: 1, 'best-practices': 1, seo: 1, cls: 0 },
      shortfalls.join('; '),
    );
  });
}
