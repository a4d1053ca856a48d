// The WebAssembly engine inside Chromium, called as the page calls it,
// answers a large generated batch as the native gosei-cli --batch does:
// the same cells byte for byte, and the message where the command line
// reports an outcome other than ok.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { openPage, nativeCli, withSiteAndBrowser } from './browser.mjs';
import { batchLines } from './batch_lines.mjs';

const LINE_COUNT = 24000;
// The message the page shows for each outcome of gosei-cli --batch.
const MESSAGES = { ok: '', cleared: 'ToleranceMessage', refused: 'ToleranceMessage', badtarget: null };

const env = withSiteAndBrowser();

test('a generated batch gives the native cells and outcomes in the browser', async () => {
  assert.ok(fs.existsSync(nativeCli), `the native ${nativeCli} must be built first`);
  // Only what the page can send: a series of its buttons, a value and a
  // tolerance.
  const lines = batchLines(LINE_COUNT, 20261208).filter((line) => /^E(3|6|12|24)\t[^\t]*(\t[^\t]*)?$/.test(line));
  const input = lines.join('\n') + '\n';
  const native = execFileSync(nativeCli, ['--batch'], { input, maxBuffer: 256 << 20 })
    .toString('utf8')
    .trimEnd()
    .split('\n')
    .map((line) => line.split('\t'));

  const page = await openPage(env.chromium.browser, env.site.url);
  const inBrowser = await page.evaluate(async (batch) => {
    const { loadEngine } = await import('./engine.js');
    const engine = await loadEngine();
    const empty = Array(24).fill('');
    return batch.map((line) => {
      const [series, target, tolerance = ''] = line.split('\t');
      const outcome = engine.calculate(series, target, tolerance, empty);
      return [outcome.message, outcome.tolerance, ...outcome.cells];
    });
  }, lines);

  for (const [i, [outcome, ...cells]] of native.entries()) {
    const [message, tolerance, ...browserCells] = inBrowser[i];
    const where = `line ${i + 1} (${JSON.stringify(lines[i])})`;
    assert.deepEqual(browserCells, cells, `${where}: cells differ`);
    if (MESSAGES[outcome] === null) assert.match(message, /^(TargetMessage|RangeMessage)$/, where);
    else assert.equal(message, MESSAGES[outcome], where);
    // The E24 message empties the tolerance box; a refusal keeps it.
    if (outcome === 'cleared') assert.equal(tolerance, '', where);
  }
  // The batch must reach every outcome, or it proves little.
  for (const outcome of Object.keys(MESSAGES)) {
    assert.ok(native.some(([found]) => found === outcome), `no line ends ${outcome}`);
  }
});
