// Figures of the finder page (find.html) in headless Chromium: the time
// from the last keystroke to the results drawn (and the frame after them
// produced) for E24 and E192 over 1..10M with up to 4 parts, E192 both the
// first time and once its tables are built, and for E192 also to the
// results of 1 to 3 parts, which come first; how soon a key typed during an
// E192 search shows in its field; and what the page adds to the site,
// gzipped, apart from the fonts.
//   node bench/finder_bench.mjs   (after the web build)
import zlib from 'node:zlib';
import { serveSite, launchBrowser } from '../tests/web/browser.mjs';
import { answered, openFinder, typeInto } from '../tests/web/finder_page.mjs';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// In the page: the time of each key or choice, and of the frame after each
// drawing of results.
function watch(page) {
  return page.evaluate(() => {
    window.benchInputs = [];
    window.benchDrawn = { 'finder-drawn': [], 'finder-first-drawn': [] };
    document.addEventListener('input', (event) => window.benchInputs.push(event.timeStamp), true);
    new PerformanceObserver((marks) => {
      for (const { name } of marks.getEntries()) {
        requestAnimationFrame(() => setTimeout(() => window.benchDrawn[name]?.push(performance.now())));
      }
    }).observe({ type: 'mark' });
  });
}

// Milliseconds from the last input to the frame after the results drawn:
// { all, first } where first is for the results of fewer parts, if any.
async function lastInputToDrawn(page, act) {
  await pause(300); // past the debounce: the key is the first after a quiet moment
  await act();
  await answered(page);
  await page.waitForFunction(() => window.benchDrawn['finder-drawn'].at(-1) > window.benchInputs.at(-1));
  return page.evaluate(() => {
    const input = window.benchInputs.at(-1);
    const after = (name) => window.benchDrawn[name].find((time) => time > input) - input;
    return { all: after('finder-drawn'), first: after('finder-first-drawn') || null };
  });
}

// Types each wanted value but its last character, then that character.
async function typedWants(page, wants) {
  const times = [];
  for (const want of wants) {
    await typeInto(page, 'want', want.slice(0, -1));
    await answered(page);
    times.push(await lastInputToDrawn(page, () => page.keyboard.type(want.slice(-1))));
  }
  return times;
}

// Where fewer parts were drawn first at all.
const medians = (times) => {
  const firsts = times.map((t) => t.first).filter((first) => first !== null);
  return { all: median(times.map((t) => t.all)), first: firsts.length > 0 ? median(firsts) : null, drawnFirst: firsts.length };
};

const WANTS = ['4k7', '3k31', '12k7', '987', '2M2', '55k5', '1k01'];

async function e24(browser, url) {
  const page = await openFinder(browser, url);
  await watch(page);
  const times = await typedWants(page, WANTS);
  await page.close();
  return medians(times);
}

async function e192(browser, url) {
  const first = [];
  const built = [];
  for (let round = 0; round < 3; ++round) {
    // A new page, a new worker: no tables yet.
    const page = await openFinder(browser, url);
    await watch(page);
    await typeInto(page, 'want', '4k7');
    await answered(page);
    first.push(await lastInputToDrawn(page, () => page.select('#series', 'E192')));
    built.push(...(await typedWants(page, WANTS.slice(round * 2, round * 2 + 3))));
    await page.close();
  }
  return { first: medians(first), built: medians(built) };
}

// Keys typed into another field while the first E192 search builds its
// tables: from each key to the frame that shows it.
async function echoDuringSearch(browser, url) {
  const page = await openFinder(browser, url);
  await typeInto(page, 'want', '4k7');
  await answered(page);
  await page.evaluate(() => {
    window.echoes = [];
    document.getElementById('exclude').addEventListener('input', (event) =>
      requestAnimationFrame(() => setTimeout(() => window.echoes.push(performance.now() - event.timeStamp))),
    );
  });
  await page.select('#series', 'E192');
  await page.click('#exclude');
  for (const key of '4k7,1') {
    await page.keyboard.type(key);
    await pause(40);
  }
  const stillSearching = await page.$eval('#results', (results) => results.getAttribute('aria-busy') === 'true');
  await answered(page);
  const echoes = await page.evaluate(() => window.echoes);
  await page.close();
  return { median: median(echoes), most: Math.max(...echoes), stillSearching };
}

// The files find.html loads that index.html does not, gzipped as the
// static server sends them.
async function addedBytes(browser, url) {
  const requested = async (name) => {
    const page = await browser.newPage();
    await page.setBypassServiceWorker(true);
    const paths = new Set();
    page.on('requestfinished', (request) => paths.add(new URL(request.url()).pathname));
    await page.goto(new URL(name, url).href);
    if (name === 'find.html') await answered(page);
    else await page.waitForSelector('html[data-ready="true"]');
    await page.close();
    return paths;
  };
  const main = await requested('');
  const files = [...(await requested('find.html'))].filter((path) => !main.has(path) && !path.startsWith('/fonts/'));
  const sizes = await Promise.all(
    files.map(async (path) => [path, zlib.gzipSync(Buffer.from(await (await fetch(new URL(path, url))).arrayBuffer()), { level: 9 }).length]),
  );
  return sizes.sort((a, b) => b[1] - a[1]);
}

const site = await serveSite();
const chromium = await launchBrowser();
try {
  const { browser } = chromium;
  const e24Time = await e24(browser, site.url);
  const e192Times = await e192(browser, site.url);
  const echo = await echoDuringSearch(browser, site.url);
  const added = await addedBytes(browser, site.url);
  const figures = ({ all, first, drawnFirst }) =>
    `${all.toFixed(1)} ms` + (first === null ? '' : `, 1 to 3 parts first (${drawnFirst} times) after ${first.toFixed(1)} ms`);
  console.log(`last keystroke to results drawn (medians), 1..10M, 1 to 4 parts:`);
  console.log(`  E24                         ${figures(e24Time)}   (goal < 50; ${WANTS.length} values)`);
  console.log(`  E192, first (tables built)  ${figures(e192Times.first)}   (goal < 600; 3 new pages)`);
  console.log(`  E192, tables kept           ${figures(e192Times.built)}   (goal < 250; 9 values)`);
  console.log(`a key typed during the first E192 search shows in ${echo.median.toFixed(1)} ms (median), ${echo.most.toFixed(1)} ms at most (goal < 50)${echo.stillSearching ? '' : ' [the search ended before the last key]'}`);
  console.log('find.html adds, gzipped (level 9), apart from fonts:');
  for (const [path, bytes] of added) console.log(`  ${path.padEnd(24)} ${bytes}`);
  console.log(`  ${'total'.padEnd(24)} ${added.reduce((sum, [, bytes]) => sum + bytes, 0)}`);
} finally {
  await chromium.close();
  await site.close();
}
