// The page at zoom 1 stands as the window does: the 24 result cells and the
// two block titles at their exact pixel rectangles and colours, read from a
// screenshot.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, decodePng, withSiteAndBrowser } from './browser.mjs';

const env = withSiteAndBrowser();

// 15 twips to the pixel, rounded to the nearest.
const px = (twips) => Math.floor((2 * twips + 15) / 30);
const rect = (left, top, width, height) => ({ left: px(left), top: px(top), width: px(width), height: px(height) });

const YELLOWS = [[255, 255, 192], [255, 255, 128], [255, 255, 0]];
const CYANS = [[192, 255, 255], [128, 255, 255], [0, 255, 255]];
const NAMES = [
  ['Label5', 'Label6', 'Label36', 'Label7'],
  ['Label8', 'Label9', 'Label37', 'Label10'],
  ['Label11', 'Label12', 'Label38', 'Label13'],
  ['Label14', 'Label15', 'Label40', 'Label16'],
  ['Label17', 'Label18', 'Label41', 'Label19'],
  ['Label20', 'Label21', 'Label42', 'Label22'],
];
const COLUMNS = [[600, 735], [1560, 735], [2640, 735], [3600, 615]];
const TOPS = [4800, 5520, 6240];

const EXPECTED = [
  { id: 'Label24', rect: rect(1800, 3840, 1215, 375), colour: [255, 255, 0], text: true },
  { id: 'Label25', rect: rect(5880, 3840, 1215, 375), colour: [0, 255, 255], text: true },
];
NAMES.forEach((names, row) => {
  const series = row >= 3;
  names.forEach((id, column) => {
    const [left, width] = COLUMNS[column];
    EXPECTED.push({
      id,
      rect: rect(left + (series ? 4080 : 0), TOPS[row % 3], width, 375),
      colour: (series ? CYANS : YELLOWS)[row % 3],
      text: false,
    });
  });
});

// The screenshot's pixels: (x, y) => [red, green, blue].
async function screenshotPixels(page, clip) {
  const pixels = await decodePng(env.chromium.browser, await page.screenshot({ clip }));
  return (x, y) => pixels.data.slice((y * pixels.width + x) * 4, (y * pixels.width + x) * 4 + 3);
}

test('the 24 cells and the two block titles stand at their pixel rectangles in their colours', async () => {
  const page = await openPage(env.chromium.browser, env.site.url, { width: 800, height: 600 });
  const form = await page.$eval('#Form1', (f) => {
    const box = f.getBoundingClientRect();
    return { x: box.left, y: box.top, width: box.width, height: box.height };
  });
  assert.deepEqual({ width: form.width, height: form.height }, { width: 584, height: 456 });
  const pixel = await screenshotPixels(page, form);
  for (const { id, rect: r, colour, text } of EXPECTED) {
    const placed = await page.$eval(`#${id}`, (element) => {
      const box = element.getBoundingClientRect();
      const form = document.getElementById('Form1').getBoundingClientRect();
      return { left: box.left - form.left, top: box.top - form.top, width: box.width, height: box.height };
    });
    assert.deepEqual(placed, r, id);
    // Every pixel of an empty cell is its colour; a title's corners are.
    const inside = [];
    for (let y = r.top; y < r.top + r.height; ++y) {
      for (let x = r.left; x < r.left + r.width; ++x) {
        const corner = (x === r.left || x === r.left + r.width - 1) && (y === r.top || y === r.top + r.height - 1);
        if (!text || corner) inside.push([x, y]);
      }
    }
    for (const [x, y] of inside) assert.deepEqual(pixel(x, y), colour, `${id} at ${x},${y}`);
    // Just outside, the white window.
    for (const [x, y] of [[r.left - 1, r.top], [r.left + r.width, r.top + r.height - 1], [r.left, r.top - 1], [r.left + r.width - 1, r.top + r.height]]) {
      assert.deepEqual(pixel(x, y), [255, 255, 255], `beside ${id} at ${x},${y}`);
    }
  }
  await page.close();
});

test('a calculation keeps every cell in its rectangle and colour', async () => {
  const page = await openPage(env.chromium.browser, env.site.url, { width: 800, height: 600 });
  await page.type('#Text1', '0.00047');
  await page.click('#Command3');
  await page.waitForFunction(() => document.getElementById('Label5').textContent !== '');
  const form = await page.$eval('#Form1', (f) => {
    const box = f.getBoundingClientRect();
    return { x: box.left, y: box.top, width: box.width, height: box.height };
  });
  const pixel = await screenshotPixels(page, form);
  for (const { id, rect: r, colour } of EXPECTED) {
    // The corners stay the cell's colour: no text is drawn over its edge.
    for (const [x, y] of [[r.left, r.top], [r.left + r.width - 1, r.top], [r.left, r.top + r.height - 1], [r.left + r.width - 1, r.top + r.height - 1]]) {
      assert.deepEqual(pixel(x, y), colour, `${id} at ${x},${y}`);
    }
  }
  await page.close();
});
