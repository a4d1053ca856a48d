// Narrow screens: below the main window's 584 pixels the page becomes one
// column, texts stay readable and controls big enough to tap, while the
// ids, the tab order and the behaviour stay; on a phone every button works
// by touch.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, gridTexts, nativeBatch, withSiteAndBrowser } from './browser.mjs';

let page;
const env = withSiteAndBrowser(async ({ chromium, site }) => {
  page = await openPage(chromium.browser, site.url, { width: 375, height: 667, mobile: true });
});

// Where things stand on the page, after E6 with 47.
async function measure(width, height) {
  const narrow = await openPage(env.chromium.browser, env.site.url, { width, height, mobile: true });
  await narrow.type('#Text1', '47');
  await narrow.click('#Command1');
  await narrow.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  const measured = await narrow.evaluate(() => {
    const box = (id) => {
      const { left, top, right, bottom, width, height } = document.getElementById(id).getBoundingClientRect();
      return { left, top, right, bottom, width, height };
    };
    const form = document.getElementById('Form1');
    const texts = [...form.querySelectorAll('*')].filter(
      (e) => [...e.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim()) && e.checkVisibility(),
    );
    return {
      box: Object.fromEntries([...form.querySelectorAll('[id]')].map((e) => [e.id, box(e.id)])),
      smallestText: Math.min(...texts.map((e) => parseFloat(getComputedStyle(e).fontSize))),
      boxFonts: [...form.querySelectorAll('input')].map((e) => parseFloat(getComputedStyle(e).fontSize)),
      controls: [...form.querySelectorAll('button, input')].map((e) => [e.id, box(e.id)]),
      scrollWidth: document.documentElement.scrollWidth,
    };
  });
  const tabOrder = [];
  await narrow.focus('#Text1');
  for (let i = 0; i < 7; ++i) {
    await narrow.keyboard.press('Tab');
    tabOrder.push(await narrow.evaluate(() => document.activeElement.id || document.activeElement.getAttribute('href')));
  }
  await narrow.close();
  return { ...measured, tabOrder };
}

const BLOCKS = [
  ['Label24', [['Label5', 'Label6', 'Label36', 'Label7'], ['Label8', 'Label9', 'Label37', 'Label10'], ['Label11', 'Label12', 'Label38', 'Label13']]],
  ['Label25', [['Label14', 'Label15', 'Label40', 'Label16'], ['Label17', 'Label18', 'Label41', 'Label19'], ['Label20', 'Label21', 'Label42', 'Label22']]],
];

// Phones upright and on their side, a 1024 pixel window at 200 % zoom
// (512 CSS pixels) and the last width before the fixed layout.
for (const [width, height] of [[320, 568], [375, 667], [390, 844], [568, 320], [512, 700], [583, 700]]) {
  test(`at ${width}x${height} the page is one column, readable and tappable`, async () => {
    const { box, smallestText, boxFonts, controls, scrollWidth, tabOrder } = await measure(width, height);
    // Every control of the window is shown, by its id, within the width.
    for (const [id, b] of Object.entries(box)) {
      if (id === 'result-summary') continue;
      assert.ok(b.width > 0 && b.height > 0 && b.left >= 0 && b.right <= width, `${id} at ${JSON.stringify(b)}`);
    }
    assert.equal(Object.keys(box).length, 19 + 24 + 6 + 1);
    assert.ok(scrollWidth <= width, `the page scrolls sideways: ${scrollWidth}`);
    assert.deepEqual(tabOrder, ['Command1', 'Command2', 'Command3', 'Command4', 'Text2', 'Command5', 'find.html']);
    assert.ok(smallestText >= 12, `a text of ${smallestText} pixels`);
    assert.ok(boxFonts.every((size) => size >= 16), `boxes at ${boxFonts}`);
    for (const [id, { width: w, height: h }] of controls) assert.ok(w >= 44 && h >= 44, `${id} is ${w}x${h}`);
    // Top to bottom: title and notice, the two boxes, the buttons in one
    // row, the parallel block, the series block, ＨＥＬＰ.
    const below = (upper, lower) => assert.ok(box[upper].bottom <= box[lower].top, `${lower} is not below ${upper}`);
    below('Picture1', 'Label4');
    below('Label4', 'Text1');
    assert.ok(box.Text2.top >= box.Text1.top, 'Text2 above Text1');
    below('Text2', 'Command1');
    const buttons = ['Command1', 'Command2', 'Command3', 'Command4'].map((id) => box[id]);
    assert.ok(buttons.every((b) => b.top === buttons[0].top), 'the series buttons are not in one row');
    assert.ok(buttons.every((b, i) => i === 0 || buttons[i - 1].right <= b.left), 'the series buttons overlap');
    below('Command4', 'Label24');
    below('Label13', 'Label25');
    below('Label22', 'Command5');
    // Each block's rows stand across the width, their four cells side by side.
    for (const [title, rows] of BLOCKS) {
      for (const row of rows) {
        below(title, row[0]);
        const cells = row.map((id) => box[id]);
        assert.ok(cells.every((c, i) => c.top === cells[0].top && (i === 0 || cells[i - 1].right <= c.left)), `${row} is not one row`);
        assert.ok(cells[3].right - cells[0].left >= 0.75 * width, `${row} is narrower than the screen`);
      }
    }
  });
}

test('from the main window\'s width up the fixed layout holds, below the site\'s header', async () => {
  const fixed = await openPage(env.chromium.browser, env.site.url, { width: 584, height: 456 });
  const [header, form, cell] = await fixed.evaluate(() =>
    ['.site-header', '#Form1', '#Label13'].map((selector) => {
      const { left, top, width, height } = document.querySelector(selector).getBoundingClientRect();
      return { left, top, width, height };
    }),
  );
  assert.deepEqual(form, { left: 0, top: header.height, width: 584, height: 456 });
  assert.deepEqual(cell, { left: 240, top: header.height + 416, width: 41, height: 25 });
  await fixed.close();
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

test('the longest message fits the width and its OK works by touch', async () => {
  await page.$eval('#Text1', (box) => {
    box.value = '1e-60';
  });
  await page.tap('#Command1');
  await page.waitForSelector('#RangeMessage[open]');
  const text = await page.$eval('#RangeMessage p', (p) => {
    const { left, right } = p.getBoundingClientRect();
    return { left, right, overflow: p.scrollWidth - p.clientWidth };
  });
  assert.ok(text.left >= 0 && text.right <= 375 && text.overflow <= 0, JSON.stringify(text));
  await page.tap('#RangeMessage button');
  await page.waitForFunction(() => !document.getElementById('RangeMessage').open);
});
