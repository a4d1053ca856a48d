// The faces the page brings along for browsers without the original or the
// IPA faces: they load, and the fixed-pitch one keeps a full-width
// character exactly twice as wide as a half-width one.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, withSiteAndBrowser } from './browser.mjs';

const env = withSiteAndBrowser();

test('both bundled faces load', async () => {
  const page = await openPage(env.chromium.browser, env.site.url);
  const faces = await page.evaluate(async () => {
    const declared = [...document.fonts].filter((face) => face.family.startsWith('"gosei') || face.family.startsWith('gosei'));
    await Promise.all(declared.map((face) => face.load()));
    return declared.map((face) => [face.family.replaceAll('"', ''), face.status]).sort();
  });
  assert.deepEqual(faces, [['gosei Gothic', 'loaded'], ['gosei PGothic', 'loaded']]);
  await page.close();
});

test('in the bundled fixed-pitch face the column heads line up: full width is twice half width', async () => {
  const page = await openPage(env.chromium.browser, env.site.url);
  const widths = await page.evaluate(async () => {
    await document.fonts.load("12px 'gosei Gothic'");
    const context = new OffscreenCanvas(10, 10).getContext('2d');
    context.font = "12px 'gosei Gothic'";
    const heads = document.getElementById('Label26').textContent + document.getElementById('Label27').textContent;
    return [...new Set(heads)].map((c) => [c, context.measureText(c).width]);
  });
  for (const [character, width] of widths) {
    const expected = character.charCodeAt(0) < 0x80 ? 6 : 12;
    assert.equal(width, expected, `${JSON.stringify(character)} is ${width} pixels wide`);
  }
  await page.close();
});

