// The page's schematic painter (web/schematic.js) in Chromium, drawing the
// JSON the native geometry writes: the shape is the geometry's and tested
// there; here, that the drawing carries its name and each symbol and label
// its part, each symbol its kind, and that as drawn at each scale the
// symbols stay in their bodies and clear of the labels' text. With GOSEI_SCHEMATIC_SHEETS naming a folder, it also saves the
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

// Boxes [left, top, width, height] are closed: touching counts as meeting.
const meet = ([al, at, aw, ah], [bl, bt, bw, bh]) => al <= bl + bw && bl <= al + aw && at <= bt + bh && bt <= at + ah;
const within = ([il, it, iw, ih], [ol, ot, ow, oh]) =>
  il >= ol - 1e-3 && it >= ot - 1e-3 && il + iw <= ol + ow + 1e-3 && it + ih <= ot + oh + 1e-3;

// Every symbol element, its kind and part, and where it and each label's
// text are drawn, in the geometry's units.
function drawnBoxes(toLookAt, scale) {
  return toLookAt.map(({ schematic }) => {
    const svg = document.body.appendChild(window.schematicSvg(schematic, { scale }));
    const origin = svg.getBoundingClientRect();
    const box = (node) => {
      const { left, top, width, height } = node.getBoundingClientRect();
      return [(left - origin.left) / scale, (top - origin.top) / scale, width / scale, height / scale];
    };
    const symbols = [...svg.querySelectorAll('[data-symbol]')].map((node) => ({
      symbol: node.dataset.symbol,
      part: Number(node.dataset.part),
      box: box(node),
    }));
    const texts = [...svg.querySelectorAll('text')].map(box);
    svg.remove();
    return { symbols, texts };
  });
}

test('draws each kind of symbol in its body, clear of the labels, at scales 1, 1.5 and 2', async () => {
  const kinds = new Set(drawings.toLookAt.flatMap(({ schematic }) => schematic.resistors.map((r) => r.symbol)));
  assert.deepEqual([...kinds].sort(), ['capacitor', 'inductor', 'resistor']);
  for (const scale of [1, 1.5, 2]) {
    const page = await openSheet(scale);
    const found = await page.evaluate(drawnBoxes, drawings.toLookAt, scale);
    await page.close();
    drawings.toLookAt.forEach(({ name, schematic }, i) => {
      const { symbols, texts } = found[i];
      const where = `${name} at ${scale}`;
      assert.deepEqual(
        symbols.map(({ symbol, part }) => ({ symbol, part })),
        schematic.resistors.map(({ symbol, part }) => ({ symbol, part })),
        where,
      );
      symbols.forEach(({ symbol, box }, s) => {
        assert.ok(within(box, schematic.resistors[s].box), `${where}: ${symbol} ${s} leaves its body`);
        texts.forEach((text, t) => assert.ok(!meet(box, text), `${where}: label ${t} touches ${symbol} ${s}`));
      });
    });
  }
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
