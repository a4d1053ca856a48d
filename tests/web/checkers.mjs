// The third-party checkers, as the tests and the benchmark run them:
// axe-core inside a page and Lighthouse on the site, both in the
// Chromium of browser.mjs.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const AXE_TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'];

// "rule: element, element" for each violation on the page as it stands.
export async function axeViolations(page) {
  await page.evaluate(axeSource);
  const results = await page.evaluate((tags) => window.axe.run({ runOnly: { type: 'tag', values: tags } }), AXE_TAGS);
  return results.violations.map((v) => `${v.id}: ${v.nodes.map((node) => node.target.join(' ')).join(', ')}`);
}

// Lighthouse's report on a fresh visit with its 'mobile' or 'desktop'
// settings: the category scores, the metrics, and the scored audits that
// fell short.
export async function lighthouseReport(browser, url, preset) {
  const page = await browser.newPage();
  const { lhr } = await lighthouse(url, { logLevel: 'error', output: 'json' }, preset === 'desktop' ? desktopConfig : undefined, page);
  await page.close();
  const metric = (id) => lhr.audits[id].numericValue;
  return {
    scores: Object.fromEntries(Object.entries(lhr.categories).map(([id, category]) => [id, category.score])),
    metrics: {
      fcp: metric('first-contentful-paint'),
      lcp: metric('largest-contentful-paint'),
      tbt: metric('total-blocking-time'),
      cls: metric('cumulative-layout-shift'),
      si: metric('speed-index'),
    },
    shortfalls: Object.values(lhr.audits)
      .filter((audit) => audit.score !== null && audit.score < 1 && ['binary', 'numeric', 'metricSavings'].includes(audit.scoreDisplayMode))
      .map((audit) => `${audit.id} ${audit.displayValue ?? audit.score}`),
  };
}
