// Screenshots of the page after E6 with 47, as a person sees it in headless
// Chromium, beside which to hold the desktop window's:
//   node tools/web-screenshot.mjs OUTPUT.png [WIDTHxHEIGHT] [touch] [help] [whole]
// touch: a phone's viewport, with touch; help: the help window open; whole:
// the whole page rather than the viewport. The default size is the main
// window's own, 584x456.
import { serveSite, launchBrowser, openPage } from '../tests/web/browser.mjs';

const [output = 'web-page.png', size = '584x456', ...options] = process.argv.slice(2);
const [width, height] = size.split('x').map(Number);
const touch = options.includes('touch');

const site = await serveSite();
const chromium = await launchBrowser();
try {
  const page = await openPage(chromium.browser, site.url, { width, height, mobile: touch });
  await page.type('#Text1', '47');
  await page.click('#Command1');
  await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  if (options.includes('help')) await page.click('#Command5');
  await page.evaluate(() => document.fonts.ready);
  await page.screenshot({ path: output, fullPage: options.includes('whole') });
} finally {
  await chromium.close();
  await site.close();
}
