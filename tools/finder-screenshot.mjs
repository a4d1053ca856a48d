// Screenshots of the finder page (find.html) as a person sees it in
// headless Chromium, after filling in its fields:
//   node tools/finder-screenshot.mjs OUTPUT.png [WIDTHxHEIGHT] [touch] [whole] [STEP...]
// A STEP is mode=divider, series=E96, click=ID (a radio button or a
// button), or ID=TEXT, typed into that field (\n for a new line).
// touch: a phone's viewport, with touch; whole: the whole page rather than
// the viewport. The default size is 1280x900.
import { serveSite, launchBrowser } from '../tests/web/browser.mjs';
import { answered, openFinder, typeInto } from '../tests/web/finder_page.mjs';

const [output = 'finder-page.png', size = '1280x900', ...rest] = process.argv.slice(2);
const [width, height] = size.split('x').map(Number);
const options = new Set(rest.filter((word) => !word.includes('=')));
const steps = rest.filter((word) => word.includes('=')).map((step) => step.split(/=(.*)/s, 2));

const site = await serveSite();
const chromium = await launchBrowser();
try {
  const page = await openFinder(chromium.browser, site.url, { width, height, mobile: options.has('touch') });
  for (const [id, text] of steps) {
    if (id === 'mode' || id === 'series') await page.select(`#${id}`, text);
    else if (id === 'click') await page.click(`#${text}`);
    else await typeInto(page, id, text.replaceAll('\\n', '\n'));
  }
  await answered(page);
  await page.evaluate(() => document.fonts.ready);
  // The page from its top, where a person starts reading.
  await page.evaluate(() => window.scrollTo(0, 0));
  await page.screenshot({ path: output, fullPage: options.has('whole') });
} finally {
  await chromium.close();
  await site.close();
}
