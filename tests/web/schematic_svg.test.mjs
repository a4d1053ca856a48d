// The page's schematic painter (web/schematic.js) in Chromium, drawing the
// JSON the native geometry writes for every drawing the geometry tests
// check. With GOSEI_SCHEMATIC_SHEETS naming a folder, it also saves the
// drawings to look at there, at pixel ratios 1 and 2.
import { execFileSync } from 'node:child_process';
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { launchBrowser, serveSite } from './browser.mjs';

const repository = fileURLToPath(new URL('../..', import.meta.url));
const samplesProgram =
  process.env.GOSEI_SCHEMATIC_SAMPLES ?? path.join(repository, 'build/tests/schematic_json_samples');
const drawings = JSON.parse(execFileSync(samplesProgram).toString('utf8'));

const env = {};
before(async () => {
  env.server = await serveSite(repository);
  env.chromium = await launchBrowser();
});
after(async () => {
  await env.chromium?.close();
  await env.server?.close();
});

async function openSheet(deviceScaleFactor = 1) {
  const page = await env.chromium.browser.newPage();
  await page.setViewport({ width: 700, height: 600, deviceScaleFactor });
  await page.goto(`${env.server.url}tests/web/schematic_sheet.html`);
  await page.waitForSelector('html[data-ready="true"]');
  return page;
}

// In the page: each drawing painted as an image at `ratio` device pixels a
// unit, and a line for each fault: ink off the geometry's lines, boxes and
// dots (give or take the lines' width and a pixel), or a label whose ink
// spans less or more of its box's height than text of that height does.
function inkFaults(every, ratio) {
  const grown = ([x, y, w, h], by) => [x - by, y - by, w + 2 * by, h + 2 * by];
  const paint = async ({ width, height }, draw) => {
    const context = new OffscreenCanvas(Math.ceil(width * ratio), Math.ceil(height * ratio)).getContext('2d');
    context.scale(ratio, ratio);
    await draw(context);
    const { data, width: columns } = context.getImageData(0, 0, context.canvas.width, context.canvas.height);
    return (x, y) => x >= 0 && x < columns && data[(y * columns + x) * 4 + 3] !== 0;
  };
  return Promise.all(
    every.map(async ({ name, schematic: s }) => {
      const image = new Image();
      const svg = new XMLSerializer().serializeToString(window.schematicSvg(s));
      image.src = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
      await image.decode();
      const inked = await paint(s, (context) => context.drawImage(image, 0, 0, s.width, s.height));
      const allowed = await paint(s, (context) => {
        const lines = [...s.wires, ...s.grounds.flatMap((ground) => ground.bars)];
        for (const box of [
          ...s.resistors.map((resistor) => resistor.box),
          ...s.terminals.map(({ centre: [x, y], radius }) => grown([x, y, 0, 0], radius)),
          ...s.junctions.map(([x, y]) => grown([x, y, 0, 0], s.junctionRadius)),
          ...lines.map(([x1, y1, x2, y2]) => [x1, y1, x2 - x1, y2 - y1]),
        ]) {
          context.fillRect(...grown(box, s.stroke + 1));
        }
        for (const { box } of s.labels) context.fillRect(...grown(box, 1 / ratio));
      });
      const faults = [];
      for (let y = 0; y < s.height * ratio; ++y) {
        for (let x = 0; x < s.width * ratio; ++x) {
          if (inked(x, y) && !allowed(x, y)) faults.push(`${name}: ink at ${x}, ${y}`);
        }
      }
      for (const { box: [left, top, width, height], text } of s.labels) {
        const rows = [];
        for (let y = Math.floor(top * ratio) - 1; y <= (top + height) * ratio + 1; ++y) {
          for (let x = Math.floor(left * ratio) - 1; x <= (left + width) * ratio + 1; ++x) {
            if (inked(x, y)) rows.push(y);
          }
        }
        const share = rows.length ? (Math.max(...rows) - Math.min(...rows) + 1) / (height * ratio) : 0;
        if (share < 0.6 || share > 0.9) faults.push(`${name}: ${text} inks ${share} of its height`);
      }
      return faults.slice(0, 3);
    }),
  ).then((faults) => faults.flat());
}

test('paints the geometry and nothing else, at 1 and 2 pixels a unit', async () => {
  const page = await openSheet();
  for (const ratio of [1, 2]) assert.deepEqual(await page.evaluate(inkFaults, drawings.every, ratio), []);
});

test('names the drawing and marks each symbol and label with its part', async () => {
  const page = await openSheet();
  const schematic = drawings.toLookAt.at(-1).schematic;
  const found = await page.evaluate((geometry) => {
    const svg = window.schematicSvg(geometry, { title: '分圧回路' });
    const parts = (selector) => [...svg.querySelectorAll(selector)].map((node) => Number(node.dataset.part));
    return { title: svg.querySelector('title').textContent, rects: parts('rect'), texts: parts('text') };
  }, schematic);
  assert.deepEqual(found, {
    title: '分圧回路',
    rects: schematic.resistors.map((resistor) => resistor.part),
    texts: schematic.labels.map((label) => label.part),
  });
});

test('saves the drawings to look at', { skip: !process.env.GOSEI_SCHEMATIC_SHEETS }, async () => {
  for (const ratio of [1, 2]) {
    const page = await openSheet(ratio);
    await page.evaluate((toLookAt) => {
      for (const { name, schematic } of toLookAt) {
        const figure = document.body.appendChild(document.createElement('figure'));
        figure.appendChild(document.createElement('figcaption')).textContent = name;
        figure.appendChild(window.schematicSvg(schematic, { title: name }));
      }
    }, drawings.toLookAt);
    const file = path.join(process.env.GOSEI_SCHEMATIC_SHEETS, `schematics-svg-${ratio}x.png`);
    await page.screenshot({ path: file, fullPage: true });
  }
});
