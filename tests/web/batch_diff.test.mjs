// The WebAssembly engine inside Chromium answers a large generated batch
// byte for byte as the native gosei-cli --batch does.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { openPage, nativeCli, withSiteAndBrowser } from './browser.mjs';
import { batchLines } from './batch_lines.mjs';

const LINE_COUNT = 24000;

const env = withSiteAndBrowser();

test('a generated batch gives the native output byte for byte in the browser', async () => {
  assert.ok(fs.existsSync(nativeCli), `the native ${nativeCli} must be built first`);
  const lines = batchLines(LINE_COUNT, 20261208);
  const input = lines.join('\n') + '\n';
  const native = execFileSync(nativeCli, ['--batch'], { input, maxBuffer: 256 << 20 }).toString('utf8');

  const page = await openPage(env.chromium.browser, env.site.url);
  const inBrowser = await page.evaluate(async (batch) => {
    const { loadEngine } = await import('./engine.js');
    const engine = await loadEngine();
    return batch.map((line) => engine.batchLine(line) + '\n').join('');
  }, lines);

  const nativeLines = native.split('\n');
  const browserLines = inBrowser.split('\n');
  const first = nativeLines.findIndex((line, i) => line !== browserLines[i]);
  assert.equal(first, -1, `line ${first + 1} (${JSON.stringify(lines[first])}) differs:\n native:  ${nativeLines[first]}\n browser: ${browserLines[first]}`);
  assert.equal(Buffer.compare(Buffer.from(inBrowser, 'utf8'), Buffer.from(native, 'utf8')), 0);
  // The batch must reach every outcome, or it proves little.
  for (const outcome of ['ok', 'cleared', 'refused', 'badtarget', 'error']) {
    assert.ok(nativeLines.some((line) => line.startsWith(`${outcome}\t`)), `no line ends ${outcome}`);
  }
});
