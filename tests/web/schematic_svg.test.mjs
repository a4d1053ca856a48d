// The page's schematic painter (web/schematic.js) in Chromium, drawing the
// JSON the native geometry writes: the shape is the geometry's and tested
// there; here, that the drawing carries its name and each symbol and label
// its part. With GOSEI_SCHEMATIC_SHEETS naming a folder, it also saves the
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
