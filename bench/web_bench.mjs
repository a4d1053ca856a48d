// Figures of the browser edition, measured in one run: the gzipped bytes the
// page loads, the time from navigation until a calculation can run in
// headless Chromium, and calculations per second in the browser beside the
// native gosei-cli on the same lines.
//   node bench/web_bench.mjs   (after the default and web builds)
import fs from 'node:fs';
import zlib from 'node:zlib';
import { execFileSync } from 'node:child_process';
import { serveSite, launchBrowser, siteDirectory, nativeCli } from '../tests/web/browser.mjs';
import { batchLines } from '../tests/web/batch_lines.mjs';

const LOADS = 15;
const LINES = batchLines(20000, 7).filter((line) => /^E(3|6|12|24)\t/.test(line));

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function gzippedBytes() {
  const files = fs.readdirSync(siteDirectory).filter((name) => /\.(html|css|js|wasm)$/.test(name) && name !== 'service-worker.js');
  const sizes = Object.fromEntries(files.map((name) => [name, zlib.gzipSync(fs.readFileSync(`${siteDirectory}/${name}`), { level: 9 }).length]));
  return { sizes, total: Object.values(sizes).reduce((a, b) => a + b, 0) };
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
        const start = performance.now();
        for (const line of lines) engine.batchLine(line);
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
  const bytes = gzippedBytes();
  const ready = await timeToReady(chromium.browser, site.url);
  const inBrowser = await browserRate(chromium.browser, site.url);
  const native = nativeRate();
  console.log('gzipped bytes (level 9), fonts apart:');
  for (const [name, size] of Object.entries(bytes.sizes)) console.log(`  ${name.padEnd(22)} ${size}`);
  console.log(`  ${'total'.padEnd(22)} ${bytes.total}`);
  console.log(`navigation to first calculation possible: ${ready.toFixed(1)} ms (median of ${LOADS} cold loads)`);
  console.log(`calculations per second: browser ${Math.round(inBrowser)}, native ${Math.round(native)} (browser/native ${(inBrowser / native).toFixed(2)}) over ${LINES.length} batch lines`);
} finally {
  await chromium.close();
  await site.close();
}
