// Figures of the browser edition, measured in one run: the bytes the first
// visit and a warm reload transfer (gzipped, as the static server sends
// them), the time from navigation until a calculation can run in headless
// Chromium, Lighthouse's scores and metrics, and calculations per second in
// the browser beside the native gosei-cli on the same lines.
//   node bench/web_bench.mjs   (after the default and web builds)
import { execFileSync } from 'node:child_process';
import { serveSite, launchBrowser, nativeCli } from '../tests/web/browser.mjs';
import { batchLines } from '../tests/web/batch_lines.mjs';
import { lighthouseReport } from '../tests/web/checkers.mjs';

const LOADS = 15;
const LINES = batchLines(20000, 7).filter((line) => /^E(3|6|12|24)\t[^\t]*(\t[^\t]*)?$/.test(line));

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// What a first visit and then a reload transfer, once the service worker
// has kept the site.
async function visitBytes(browser) {
  const site = await serveSite();
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.goto(site.url);
    await page.waitForSelector('html[data-ready="true"]');
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller) {
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
      }
    });
    const first = [...site.requests];
    site.requests.length = 0;
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    return { first, reload: [...site.requests] };
  } finally {
    await context.close();
    await site.close();
  }
}

async function timeToReady(browser, url) {
  const times = [];
  for (let i = 0; i < LOADS; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setCacheEnabled(false);
    await page.goto(url);
    await page.waitForSelector('html[data-ready="true"]');
    times.push(await page.evaluate(() => performance.getEntriesByName('gosei-ready')[0].startTime));
    await context.close();
  }
  return median(times);
}

async function browserRate(browser, url) {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector('html[data-ready="true"]');
  const rates = [];
  for (let round = 0; round < 3; ++round) {
    rates.push(
      await page.evaluate(async (lines) => {
        const { loadEngine } = await import('./engine.js');
        const engine = await loadEngine();
        const empty = Array(24).fill('');
        const start = performance.now();
        for (const line of lines) {
          const [series, target, tolerance = ''] = line.split('\t');
          engine.calculate(series, target, tolerance, empty);
        }
        return lines.length / ((performance.now() - start) / 1000);
      }, LINES),
    );
  }
  await page.close();
  return median(rates);
}

function nativeRate() {
  const input = LINES.join('\n') + '\n';
  const rates = [];
  for (let round = 0; round < 3; ++round) {
    const start = process.hrtime.bigint();
    execFileSync(nativeCli, ['--batch'], { input, maxBuffer: 256 << 20 });
    rates.push(LINES.length / (Number(process.hrtime.bigint() - start) / 1e9));
  }
  return median(rates);
}

const site = await serveSite();
const chromium = await launchBrowser();
try {
  const { first, reload } = await visitBytes(chromium.browser);
  const ready = await timeToReady(chromium.browser, site.url);
  const reports = [];
  for (const preset of ['mobile', 'desktop']) reports.push([preset, await lighthouseReport(chromium.browser, site.url, preset)]);
  const inBrowser = await browserRate(chromium.browser, site.url);
  const native = nativeRate();
  console.log('first visit, bytes as sent (gzip level 9 where it helps):');
  for (const { path, status, bytes } of first) console.log(`  ${path.padEnd(28)} ${status} ${bytes}`);
  console.log(`  ${'total'.padEnd(28)}     ${first.reduce((sum, request) => sum + request.bytes, 0)}`);
  const statuses = [...new Set(reload.map((request) => request.status))];
  console.log(`warm reload: ${reload.length} requests (status ${statuses.join(', ') || 'none'}), ${reload.reduce((sum, request) => sum + request.bytes, 0)} bytes`);
  console.log(`navigation to first calculation possible: ${ready.toFixed(1)} ms (median of ${LOADS} cold loads)`);
  for (const [preset, { scores, metrics }] of reports) {
    const figures = Object.entries(metrics).map(([name, value]) => `${name} ${value.toFixed(name === 'cls' ? 3 : 0)}`);
    console.log(`Lighthouse ${preset}: ${Object.entries(scores).map(([name, score]) => `${name} ${Math.round(score * 100)}`).join(', ')}; ${figures.join(', ')}`);
  }
  console.log(`calculations per second: browser ${Math.round(inBrowser)}, native ${Math.round(native)} (browser/native ${(inBrowser / native).toFixed(2)}) over ${LINES.length} batch lines`);
} finally {
  await chromium.close();
  await site.close();
}
