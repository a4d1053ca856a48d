// The main window's behaviour in the page, typed and clicked as a person
// does: calculations, the three messages, Tab order, Enter and Escape.
import { test, beforeEach } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, gridTexts, openDialog, setBox, nativeBatch, withSiteAndBrowser } from './browser.mjs';

const env = withSiteAndBrowser();
let page;
beforeEach(async () => {
  await page?.close();
  page = await openPage(env.chromium.browser, env.site.url);
});

const BUTTONS = { E6: 'Command1', E12: 'Command2', E24: 'Command3', E3: 'Command4' };
const EMPTY_GRID = Array(24).fill('');

async function calculate(series, target, tolerance = '') {
  await setBox(page, 'Text1', target);
  await setBox(page, 'Text2', tolerance);
  await page.click(`#${BUTTONS[series]}`);
}

// Presses OK with Enter once the dialog is open, and waits until it closed.
async function acknowledge(id) {
  await page.waitForSelector(`#${id}[open]`);
  await page.keyboard.press('Enter');
  await page.waitForFunction((dialogId) => !document.getElementById(dialogId).open, {}, id);
}

function waitForGrid(expected) {
  return page.waitForFunction(
    (cells) => [...document.querySelectorAll('[data-cell]')]
      .sort((a, b) => a.dataset.cell - b.dataset.cell)
      .every((cell, i) => cell.textContent === cells[i]),
    { timeout: 5000 },
    expected,
  );
}

test('E6 with 47 fills both blocks, each cell in its place', async () => {
  await calculate('E6', '47');
  const expected = {
    Label5: '150', Label6: '68', Label36: '46.79', Label7: '0.4',
    Label8: '100', Label9: '100', Label37: '50', Label10: '-6.4',
    Label11: '220', Label12: '68', Label38: '51.94', Label13: '-10.6',
    Label14: '47', Label15: '不要', Label40: '47', Label16: '0',
    Label17: '15', Label18: '33', Label41: '48', Label19: '-2.2',
    Label20: '22', Label21: '22', Label42: '44', Label22: '6.3',
  };
  await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  for (const [id, text] of Object.entries(expected)) {
    assert.equal(await page.$eval(`#${id}`, (cell) => cell.textContent), text, id);
  }
});

test('a sequence of calculations on one page shows what the desktop window shows', async () => {
  // The desktop window's grid after each step: the step's own grid, or the
  // previous one where a message ended the calculation.
  const steps = [
    ['E6', '47', ''],
    ['E12', '1.24', ''],
    ['E6', '47', '50'],
    ['E24', '123', '9'],
    ['E3', '-5', ''],
    ['E24', '0.00047', ''],
    ['E12', '1e-60', '2'],
    ['E24', '1285000', '1'],
    ['E3', '２．２', ''],
    ['E12', 'abc', ''],
    ['E24', '3.3e-7', ''],
  ];
  const native = nativeBatch(steps.map((step) => step.join('\t')));
  let desktopGrid = EMPTY_GRID;
  for (const [i, [series, target, tolerance]] of steps.entries()) {
    const [outcome, ...cells] = native[i];
    if (outcome === 'ok' || outcome === 'cleared') desktopGrid = cells;
    await calculate(series, target, tolerance);
    if (outcome !== 'ok') {
      await page.waitForSelector('dialog[open]');
      await acknowledge(await openDialog(page));
    }
    await waitForGrid(desktopGrid).catch(() => {});
    assert.deepEqual(await gridTexts(page), desktopGrid, `after ${series} ${target} ${tolerance}`);
  }
});

test('a tolerance too loose for E6 shows its message and keeps the grid and the box', async () => {
  await calculate('E6', '47');
  await waitForGrid(nativeBatch(['E6\t47'])[0].slice(1));
  const before = await gridTexts(page);
  await calculate('E6', '100', '50');
  await page.waitForSelector('#ToleranceMessage[open]');
  const dialog = await page.$eval('#ToleranceMessage', (d) => ({
    title: d.querySelector('.title').textContent,
    text: d.querySelector('p').textContent,
    buttons: [...d.querySelectorAll('button')].map((b) => b.textContent),
    modal: d.matches(':modal'),
  }));
  assert.deepEqual(dialog, { title: '合成抵抗算出ソフト', text: '誤差条件が甘すぎます', buttons: ['OK'], modal: true });
  assert.deepEqual(await gridTexts(page), before);
  await acknowledge('ToleranceMessage');
  assert.deepEqual(await gridTexts(page), before);
  assert.equal(await page.$eval('#Text2', (box) => box.value), '50');
});

test('a tolerance too loose for E24 empties the box and fills the grid only after OK', async () => {
  await calculate('E24', '123', '9');
  await page.waitForSelector('#ToleranceMessage[open]');
  assert.deepEqual(await gridTexts(page), EMPTY_GRID);
  assert.equal(await page.$eval('#Text2', (box) => box.value), '9');
  await acknowledge('ToleranceMessage');
  const [outcome, ...cells] = nativeBatch(['E24\t123\t'])[0];
  assert.equal(outcome, 'ok');
  await waitForGrid(cells);
  assert.equal(await page.$eval('#Text2', (box) => box.value), '');
});

const BAD_TARGETS = [
  { name: 'a negative number', target: '-47', dialog: 'TargetMessage', text: '正の数値を入力して下さい' },
  { name: 'no number', target: 'k47', dialog: 'TargetMessage', text: '正の数値を入力して下さい' },
  { name: 'a number too small', target: '1e-60', dialog: 'RangeMessage', text: '範囲外の数値です（1E-38 から 3.4E+38 までの数値を入力して下さい）' },
  { name: 'a number too large', target: '9'.repeat(50), dialog: 'RangeMessage', text: '範囲外の数値です（1E-38 から 3.4E+38 までの数値を入力して下さい）' },
];
for (const row of BAD_TARGETS) {
  test(`${row.name} as the wanted value shows its message and changes nothing`, async () => {
    await calculate('E12', row.target, '3');
    await page.waitForSelector(`#${row.dialog}[open]`);
    assert.equal(await page.$eval(`#${row.dialog} p`, (p) => p.textContent), row.text);
    await acknowledge(row.dialog);
    assert.deepEqual(await gridTexts(page), EMPTY_GRID);
    assert.equal(await page.$eval('#Text1', (box) => box.value), row.target);
    assert.equal(await page.$eval('#Text2', (box) => box.value), '3');
  });
}

const shiftTab = async () => {
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
};

test('the focus starts in the wanted-value box, Tab goes through the window order and on out of it', async () => {
  // A control by its id, a link by its address, the page itself as BODY.
  const focused = () => page.evaluate(() => document.activeElement.id || document.activeElement.getAttribute('href') || document.activeElement.tagName);
  assert.equal(await focused(), 'Text1');
  const visited = [];
  for (let i = 0; i < 9; ++i) {
    await page.keyboard.press('Tab');
    visited.push(await focused());
  }
  // After the header's link the focus leaves the page (for the browser's
  // own controls) and comes round to the window again.
  assert.deepEqual(visited, ['Command1', 'Command2', 'Command3', 'Command4', 'Text2', 'Command5', 'find.html', 'BODY', 'Text1']);
  await page.focus('#Command5');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'find.html');
  await shiftTab();
  assert.equal(await focused(), 'Command5');
  await page.focus('#Text1');
  await shiftTab();
  assert.equal(await page.evaluate(() => document.activeElement.closest('#Form1')), null, 'Shift+Tab stays in the window');
});

for (const box of ['Text1', 'Text2']) {
  for (const key of ['Enter', 'Escape']) {
    test(`${key} in ${box} does nothing`, async () => {
      await setBox(page, 'Text1', '47');
      await setBox(page, 'Text2', '1');
      await page.focus(`#${box}`);
      await page.keyboard.press(key);
      await new Promise((resolve) => setTimeout(resolve, 200));
      assert.equal(await openDialog(page), null);
      assert.deepEqual(await gridTexts(page), EMPTY_GRID);
      assert.equal(await page.$eval('#Text1', (b) => b.value), '47');
      assert.equal(await page.$eval('#Text2', (b) => b.value), '1');
    });
  }
}

test('a text wider than its cell is condensed to fit, never cut', async () => {
  await calculate('E24', '0.00047');
  const [, ...cells] = nativeBatch(['E24\t0.00047'])[0];
  await waitForGrid(cells);
  const drawn = await page.$$eval('[data-cell]', (all) =>
    all.map((cell) => {
      const box = cell.getBoundingClientRect();
      const text = cell.firstElementChild.getBoundingClientRect();
      const condensed = cell.firstElementChild.style.transform !== '';
      return { id: cell.id, condensed, left: text.left - box.left, right: box.right - text.right };
    }),
  );
  for (const cell of drawn) {
    // The whole text inside its cell, and beside a condensed one a pixel of
    // background at least.
    assert.ok(cell.left >= -1e-3 && cell.right >= -1e-3, `${cell.id} is cut`);
    if (cell.condensed) assert.ok(Math.max(cell.left, cell.right) >= 1 - 1e-3, `${cell.id} fills its cell`);
  }
  // The nine-character texts this target gives really needed condensing.
  assert.ok(drawn.filter((cell) => cell.condensed).length >= 4);
});

test('every cell, box and button has its accessible name', async () => {
  const names = await page.evaluate(() =>
    Object.fromEntries(
      [...document.querySelectorAll('[data-cell], input, button')]
        .filter((e) => e.closest('#Form1'))
        .map((e) => [e.id, e.getAttribute('aria-label') ?? e.labels?.[0]?.textContent ?? e.textContent]),
    ),
  );
  const snapshot = await page.accessibility.snapshot({ interestingOnly: false });
  const accessible = new Map();
  const walk = (node) => {
    accessible.set(node.name, node);
    (node.children ?? []).forEach(walk);
  };
  walk(snapshot);
  for (const [id, name] of [
    ['Label5', '並列条件 1行目 抵抗１'],
    ['Label7', '並列条件 1行目 誤差％'],
    ['Label36', '並列条件 1行目 合成値'],
    ['Label13', '並列条件 3行目 誤差％'],
    ['Label15', '直列条件 1行目 抵抗２'],
    ['Label42', '直列条件 3行目 合成値'],
  ]) {
    assert.equal(names[id], name);
    assert.ok(accessible.has(name), `no accessible node named ${name}`);
  }
  assert.equal(new Set(Object.keys(names).filter((id) => /^Label/.test(id)).map((id) => names[id])).size, 24);
  for (const name of ['誤差範囲％', 'Ｅ６系列', 'Ｅ１２系列', 'Ｅ２４系列', 'Ｅ３系列', 'ＨＥＬＰ']) {
    assert.ok(accessible.has(name), `no accessible node named ${name}`);
  }
  assert.ok([...accessible.keys()].some((name) => name?.includes('純粋な数値のみを入力して下さい')));
});

test('after each calculation a polite status says the best pair of each block', async () => {
  const summary = () => page.$eval('[role="status"]', (status) => status.textContent);
  assert.equal(await summary(), '');
  await calculate('E6', '47');
  await page.waitForFunction(() => document.querySelector('[role="status"]').textContent !== '');
  assert.equal(await summary(), '並列条件は 150 と 68 で合成値 46.79、誤差 0.4％、直列条件は 47 と 不要 で合成値 47、誤差 0％です。');
  // The same words for whatever a calculation gives, read from the cells.
  await calculate('E24', '0.00047', '1');
  const [, ...cells] = nativeBatch(['E24\t0.00047\t1'])[0];
  await waitForGrid(cells);
  const [p1, p2, pe, pc] = cells.slice(0, 4);
  const [s1, s2, se, sc] = cells.slice(12, 16);
  assert.equal(await summary(), `並列条件は ${p1} と ${p2} で合成値 ${pc}、誤差 ${pe}％、直列条件は ${s1} と ${s2} で合成値 ${sc}、誤差 ${se}％です。`);
});

test('the pictures say in text what they show, the title as the heading', async () => {
  const snapshot = await page.accessibility.snapshot();
  const nodes = [];
  const walk = (node) => {
    nodes.push(node);
    (node.children ?? []).forEach(walk);
  };
  walk(snapshot);
  const headings = nodes.filter((node) => node.role === 'heading');
  assert.deepEqual(headings.map((h) => [h.name, h.level]), [['合成抵抗算出ソフト', 1]]);
  const texts = nodes.map((node) => node.name).join('\n');
  assert.match(texts, /コンデンサにも使えますが、その場合は結果の直列、並列を逆に読んで下さい/);
  assert.match(texts, /←単位（Ωなど）や乗数（kなど）を外した純粋な数値のみを入力して下さい/);
});

test('without scripts the page says that it needs them', async () => {
  const bare = await env.chromium.browser.newPage();
  await bare.setJavaScriptEnabled(false);
  await bare.goto(env.site.url, { waitUntil: 'load' });
  const notice = await bare.$eval('noscript', (element) => element.textContent);
  assert.match(notice, /JavaScript/);
  // Shown, above the window.
  const shown = await bare.evaluate(() => document.body.innerText);
  assert.ok(shown.startsWith('このページは JavaScript を使います。'), shown.slice(0, 80));
  await bare.close();
});
