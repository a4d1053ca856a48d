// The finder page against the native gosei-cli: random requests, seeded
// (GOSEI_FINDER_SEED), typed into the page one after another as a person
// would; the rows the page shows must be gosei-cli's --json rows for the
// same request, row for row, and a request gosei-cli refuses must be
// refused at the field at fault.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { withSiteAndBrowser } from './browser.mjs';
import { commandLine, randomRequest, randomSource } from './finder_requests.mjs';
import { fillRequest, nativeAnswer, openFinder, shownAnswer } from './finder_page.mjs';

const REQUESTS = 200;
const seed = Number(process.env.GOSEI_FINDER_SEED ?? 20261208);
const env = withSiteAndBrowser();

test(`${REQUESTS} random requests (seed ${seed}) show what gosei-cli finds`, async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'gosei-finder-'));
  const page = await openFinder(env.chromium.browser, env.site.url);
  const random = randomSource(seed);
  let refused = 0;
  let request = null;
  try {
    for (let i = 0; i < REQUESTS; ++i) {
      request = randomRequest(random, request);
      const args = commandLine(request);
      if (request.source === 'stock') fs.writeFileSync(path.join(folder, request.fields['stock-name'] || '在庫'), request.fields.stock);
      // A regulator's voltages half typed are a prompt, not a refusal.
      const { vref, vout, want } = request.fields;
      const halfTyped = request.mode === 'divider' && !want && Boolean(vref) !== Boolean(vout);
      const expected = halfTyped ? { partCounts: [], rows: [] } : nativeAnswer(args, folder);
      await fillRequest(page, request);
      assert.deepEqual(await shownAnswer(page), expected, `request ${i}: gosei-cli ${args.join(' ')}`);
      if (expected.problem || halfTyped) ++refused;
    }
  } finally {
    await page.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
  // Both kinds in good numbers, or the test proves little.
  assert.ok(refused >= REQUESTS / 10 && refused <= REQUESTS / 2, `${refused} of ${REQUESTS} refused`);
});
