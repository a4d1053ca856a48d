// Screenshots of the page after E6 with 47, as a person sees it in headless
// Chromium, beside which to hold the desktop window's:
//   node tools/web-screenshot.mjs OUTPUT.png [desktop|phone|help]
import { serveSite, launchBrowser, openPage } from '../tests/web/browser.mjs';

const [output = 'web-page.png', kind = 'desktop'] = process.argv.slice(2);
const viewports = {
  desktop: { width: 584, height: 456 },
  phone: { width: 375, height: 667, mobile: true },
  help: { width: 1290, height: 560 },
};

const site = await serveSite();
const chromium = await launchBrowser();
try {
  const page = await openPage(chromium.browser, site.url, viewports[kind]);
  await page.type('#Text1', '47');
  await page.click('#Command1');
  await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  if (kind === 'help') await page.click('#Command5');
  await page.evaluate(() => document.fonts.ready);
  await page.screenshot({ path: output });
} finally {
  await chromium.close();
  await site.close();
}
