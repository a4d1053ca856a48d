// A phone: a 375 pixel wide viewport with touch. The layout scales as a
// whole to the width, the boxes ask for the numeric keyboard, and every
// button works by touch.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, gridTexts, nativeBatch, withSiteAndBrowser } from './browser.mjs';

let page;
withSiteAndBrowser(async ({ chromium, site }) => {
  page = await openPage(chromium.browser, site.url, { width: 375, height: 667, mobile: true });
});

test('the whole window scales to the viewport width without reflowing', async () => {
  const layout = await page.evaluate(() => {
    const form = document.getElementById('Form1').getBoundingClientRect();
    const cell = document.getElementById('Label13').getBoundingClientRect();
    return {
      formWidth: form.width,
      formHeight: form.height,
      cellLeft: (cell.left - form.left) / form.width,
      pageWidth: document.documentElement.scrollWidth,
    };
  });
  assert.ok(Math.abs(layout.formWidth - 375) < 1, `width ${layout.formWidth}`);
  assert.ok(Math.abs(layout.formHeight - (456 * 375) / 584) < 1);
  // Label13 stays where it stands in the 584 pixel wide window.
  assert.ok(Math.abs(layout.cellLeft - 240 / 584) < 0.002);
  assert.ok(layout.pageWidth <= 375);
});

test('both boxes ask for the numeric keyboard', async () => {
  assert.deepEqual(await page.$$eval('input', (boxes) => boxes.map((b) => [b.id, b.inputMode])), [
    ['Text1', 'decimal'],
    ['Text2', 'decimal'],
  ]);
});

const SERIES = [
  ['Command1', 'E6'],
  ['Command2', 'E12'],
  ['Command3', 'E24'],
  ['Command4', 'E3'],
];
for (const [button, series] of SERIES) {
  test(`${button} runs ${series} when tapped`, async () => {
    await page.tap('#Text1');
    await page.$eval('#Text1', (box) => {
      box.value = '';
    });
    await page.keyboard.type('330');
    await page.tap(`#${button}`);
    const [, ...cells] = nativeBatch([`${series}\t330`])[0];
    await page.waitForFunction(
      (expected) => document.getElementById('Label5').textContent === expected[0] &&
        document.getElementById('Label22').textContent === expected[22],
      { timeout: 5000 },
      cells,
    );
    assert.deepEqual(await gridTexts(page), cells);
  });
}

test('ＨＥＬＰ and 戻る work by touch, and the help window fits the width', async () => {
  await page.tap('#Command5');
  const help = await page.$eval('#Form2', (host) => {
    const box = host.getBoundingClientRect();
    return { left: box.left, right: box.right, hidden: host.hidden };
  });
  assert.equal(help.hidden, false);
  assert.ok(help.left >= 0 && help.right <= 375, JSON.stringify(help));
  const back = await page.evaluateHandle(() => document.getElementById('Form2').shadowRoot.getElementById('Command1'));
  await back.tap();
  assert.equal(await page.$eval('#Form2', (host) => host.hidden), true);
});

test('the message OK works by touch', async () => {
  await page.$eval('#Text1', (box) => {
    box.value = '-1';
  });
  await page.tap('#Command1');
  await page.waitForSelector('#TargetMessage[open]');
  await page.tap('#TargetMessage button');
  await page.waitForFunction(() => !document.getElementById('TargetMessage').open);
});
