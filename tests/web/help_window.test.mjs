// The help window inside the page, with the desktop's lifecycle: created on
// the first ＨＥＬＰ, hidden by 戻る with its scroll and selection kept,
// shown again as it was, discarded by its close control.
import { test, beforeEach } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, gridTexts, setBox, nativeBatch, withSiteAndBrowser } from './browser.mjs';

const env = withSiteAndBrowser();
let page;
beforeEach(async () => {
  await page?.close();
  page = await openPage(env.chromium.browser, env.site.url, { width: 1400, height: 800 });
});

// What the help window shows, or null where there is none or it is hidden.
function helpState() {
  return page.evaluate(() => {
    const host = document.getElementById('Form2');
    if (!host || host.hidden) return null;
    const list = host.shadowRoot.getElementById('List1');
    return {
      windows: document.querySelectorAll('#Form2').length,
      lines: list.querySelectorAll('[role="option"]').length,
      scrollTop: list.scrollTop,
      selected: [...list.querySelectorAll('[aria-selected="true"]')].map((o) => o.id),
      focused: host.shadowRoot.activeElement?.id ?? null,
      fresh: !host.dataset.seen,
    };
  });
}

const helpControl = (id) => page.evaluateHandle((name) => document.getElementById('Form2').shadowRoot.getElementById(name), id);

test('ＨＥＬＰ opens one window of 46 lines with the focus on 戻る, however often pressed', async () => {
  assert.equal(await helpState(), null);
  for (let i = 0; i < 3; ++i) await page.click('#Command5');
  assert.deepEqual(await helpState(), { windows: 1, lines: 46, scrollTop: 0, selected: [], focused: 'Command1', fresh: true });
  assert.equal(await page.$eval('#Form2', (host) => host.getAttribute('aria-label')), '合成抵抗算出ソフトのヘルプ');
});

test('戻る hides the window and ＨＥＬＰ shows it again with its scroll and selection', async () => {
  await page.click('#Command5');
  await page.evaluate(() => {
    document.getElementById('Form2').dataset.seen = 'yes';
  });
  await (await helpControl('help-line-30')).click();
  await page.evaluate(() => {
    document.getElementById('Form2').shadowRoot.getElementById('List1').scrollTop = 100;
  });
  await (await helpControl('Command1')).click();
  assert.equal(await helpState(), null);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Command5');
  await page.click('#Command5');
  const state = await helpState();
  assert.equal(state.fresh, false);
  assert.equal(state.scrollTop, 100);
  assert.deepEqual(state.selected, ['help-line-30']);
});

test('the close control discards the window; the next ＨＥＬＰ opens a fresh one at the top', async () => {
  await page.click('#Command5');
  await page.evaluate(() => {
    document.getElementById('Form2').dataset.seen = 'yes';
  });
  await (await helpControl('help-line-40')).click();
  await page.evaluate(() => {
    document.getElementById('Form2').shadowRoot.getElementById('List1').scrollTop = 300;
  });
  await (await page.evaluateHandle(() => document.getElementById('Form2').shadowRoot.querySelector('.close'))).click();
  assert.equal(await page.$('#Form2'), null);
  await page.click('#Command5');
  assert.deepEqual(await helpState(), { windows: 1, lines: 46, scrollTop: 0, selected: [], focused: 'Command1', fresh: true });
});

test('Tab goes round 戻る, the close control and the list', async () => {
  await page.click('#Command5');
  const visited = [];
  for (let i = 0; i < 4; ++i) {
    await page.keyboard.press('Tab');
    visited.push(await page.evaluate(() => {
      const focused = document.getElementById('Form2').shadowRoot.activeElement;
      return focused.id || focused.getAttribute('aria-label');
    }));
  }
  assert.deepEqual(visited, ['閉じる', 'List1', 'Command1', '閉じる']);
});

// Each way out of the help window gives the focus back to the main window
// where it was.
const WAYS_OUT = [
  ['戻る', () => page.evaluate(() => document.getElementById('Form2').shadowRoot.getElementById('Command1').click())],
  ['Escape', () => page.keyboard.press('Escape')],
  ['the close control', async () => {
    await page.keyboard.press('Tab');
    await page.keyboard.press('Enter');
  }],
];
for (const [name, leave] of WAYS_OUT) {
  test(`${name} gives the focus back to the main window`, async () => {
    await page.focus('#Text2');
    await page.keyboard.press('Tab');
    await page.keyboard.press('Enter');
    assert.notEqual(await helpState(), null);
    await leave();
    assert.equal(await helpState(), null);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Command5');
  });
}

// Where the help window stands: inside the viewport, and every line of the
// main window's text either wholly visible or wholly covered.
function placement() {
  return page.evaluate(() => {
    const rect = (element) => {
      const { left, top, right, bottom } = element.getBoundingClientRect();
      return { left, top, right, bottom };
    };
    const host = document.getElementById('Form2');
    return {
      help: rect(host),
      back: rect(host.shadowRoot.getElementById('Command1')),
      view: { left: 0, top: 0, right: document.documentElement.clientWidth, bottom: document.documentElement.clientHeight },
      lines: [...document.querySelectorAll('#Form1 [id]')].filter((e) => e.id !== 'result-summary').map((e) => [e.id, rect(e)]),
    };
  });
}
const inside = (inner, outer) =>
  inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;

// Wide enough to stand beside; over the main window; too small for it, so
// a sheet over the viewport: a narrow window, a phone upright and turned.
const VIEWPORTS = [
  { width: 2000, height: 900, expect: 'beside' },
  { width: 1024, height: 768, expect: 'over' },
  { width: 800, height: 600, expect: 'over' },
  { width: 600, height: 800, expect: 'sheet' },
  { width: 390, height: 844, expect: 'sheet' },
  { width: 844, height: 390, expect: 'sheet' },
  { width: 1400, height: 800, expect: 'over' },
];
test('the help window follows every change of the viewport', async () => {
  await page.click('#Command5');
  for (const { width, height, expect } of VIEWPORTS) {
    await page.setViewport({ width, height });
    // The resize event comes with the next frame.
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    const { help, back, view, lines } = await placement();
    const where = `${width}x${height}: ${JSON.stringify(help)}`;
    assert.ok(inside(help, view) && inside(back, view), `outside the viewport at ${where}`);
    for (const [id, line] of lines) {
      assert.ok(!inside(line, view) || apart(line, help) || inside(line, help), `${id} is cut at ${where}`);
    }
    if (expect === 'beside') assert.ok(lines.every(([, line]) => apart(line, help)), `over the main window at ${where}`);
    if (expect === 'over') assert.ok(lines.some(([, line]) => inside(line, help)), `beside the main window at ${where}`);
    if (expect === 'sheet') assert.deepEqual(help, view, `not the whole viewport at ${where}`);
  }
});

const ROWS = [
  { row: 1, text: 'このソフトウェアは、合成抵抗を算出するためのものです。' },
  { row: 4, text: '\u3000' },
  { row: 8, text: '' },
  { row: 10, text: '直並列の合成値をそれぞれ３つづつ返します。\u3000' },
  { row: 29, text: '\u3000\u3000' },
  { row: 33, text: '\u3000\u3000計算結果の直列には並列合成の数値が、並列には直列合成の' },
  { row: 41, text: `${' '.repeat(45)}ＱＺ９ＸＶＹ${' '.repeat(5)}ほぬら` },
  { row: 42, text: '    ' },
  { row: 46, text: '本ソフトはv1.13です。E24でのバグの修正と全体的に画面を見やすくする修正を行いました。' },
];
test('the help lines keep their exact texts, blanks included, on one row each', async () => {
  await page.click('#Command5');
  const lines = await page.evaluate(() =>
    [...document.getElementById('Form2').shadowRoot.querySelectorAll('[role="option"]')].map((o) => ({
      text: o.textContent,
      height: o.getBoundingClientRect().height,
    })),
  );
  for (const { row, text } of ROWS) assert.equal(lines[row - 1].text, text, `row ${row}`);
  const rowHeight = lines[0].height;
  assert.ok(lines.every((line) => line.height === rowHeight), 'a line wrapped or collapsed');
});

test('a calculation runs while the help window is shown and leaves it as it was', async () => {
  await page.click('#Command5');
  await (await helpControl('help-line-5')).click();
  const before = await helpState();
  await setBox(page, 'Text1', '47');
  await page.click('#Command1');
  const [, ...cells] = nativeBatch(['E6\t47'])[0];
  await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  assert.deepEqual(await gridTexts(page), cells);
  assert.deepEqual({ ...(await helpState()), focused: null }, { ...before, focused: null });
});
