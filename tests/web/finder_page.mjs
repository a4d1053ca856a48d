// The finder page (find.html) as a person uses it: choosing, clicking and
// typing into its fields, then reading what it shows once it has answered.
import { spawnSync } from 'node:child_process';
import { nativeCli } from './browser.mjs';

// The text fields in the page's order.
const TEXT_FIELDS = ['want', 'vref', 'vout', 'range-low', 'range-high', 'stock-name', 'stock', 'exclude', 'parts-min',
  'parts-max', 'top', 'max-error', 'part-tolerance', 'total-low', 'total-high'];

export async function openFinder(browser, siteUrl, { width = 1024, height = 768, mobile = false } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: 1, isMobile: mobile, hasTouch: mobile });
  await page.goto(new URL('find.html', siteUrl).href, { waitUntil: 'load' });
  await answered(page);
  return page;
}

// Resolves once the results answer the fields as they stand.
export function answered(page) {
  return page.waitForSelector('#results[aria-busy="false"]', { timeout: 20000 });
}

// Puts the text on the clipboard and presses Ctrl+V. (Chromium inserts
// text sent as typed in seconds for a thousand lines.)
async function pasteText(page, text) {
  await page.browserContext().overridePermissions(new URL(page.url()).origin, ['clipboard-sanitized-write']);
  await page.evaluate((text) => navigator.clipboard.writeText(text), text);
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyV', { commands: ['Paste'] });
  await page.keyboard.up('Control');
}

// Clicks into the field, selects what it holds and types the text over it,
// or pastes it where `paste`.
export async function typeInto(page, id, text, { paste = false } = {}) {
  await page.click(`#${id}`);
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyA');
  await page.keyboard.up('Control');
  await page.keyboard.press('Backspace');
  if (!text) return;
  await (paste ? pasteText(page, text) : page.keyboard.type(text));
}

// Fills in a request of finder_requests.mjs and waits for the answer.
export async function fillRequest(page, { mode, source, fields }) {
  if ((await page.$eval('#mode', (select) => select.value)) !== mode) await page.select('#mode', mode);
  await page.click(source === 'stock' ? '#source-stock' : '#source-series');
  if (mode === 'value' && (await page.$eval('#kind', (select) => select.value)) !== (fields.kind ?? '')) {
    await page.select('#kind', fields.kind ?? '');
  }
  if (source === 'series' && (await page.$eval('#series', (select) => select.value)) !== fields.series) {
    await page.select('#series', fields.series);
  }
  const shown = await page.evaluate(
    (ids) => ids.map((id) => document.getElementById(id)).filter((field) => field.checkVisibility()).map(({ id, value }) => [id, value]),
    TEXT_FIELDS,
  );
  for (const [id, value] of shown) {
    const text = fields[id] ?? '';
    // A stock list is pasted.
    if (text !== value) await typeInto(page, id, text, { paste: id === 'stock' });
  }
  await answered(page);
}

// What the page shows: the problem, or the part counts with their rows'
// data, numbers read as numbers.
export function shownAnswer(page) {
  return page.evaluate(() => {
    const summary = document.getElementById('summary');
    // A refusal is said in Japanese at the field at fault, without the
    // command line's option names.
    if (summary.classList.contains('problem')) {
      const marked = document.querySelector('[aria-invalid="true"]');
      const message = marked && document.getElementById(`${marked.id}-problem`);
      const atField = message?.textContent === summary.textContent && !message.hidden &&
        marked.getAttribute('aria-describedby').split(' ').includes(message.id);
      const japanese = /。$/.test(summary.textContent) && !summary.textContent.includes('--');
      return { problem: atField && japanese ? 'refused at its field' : summary.textContent };
    }
    const number = (text) => (text === undefined ? undefined : Number(text));
    return {
      partCounts: [...document.querySelectorAll('#results .part-count')].map((section) => Number(section.dataset.partCount)),
      rows: [...document.querySelectorAll('#results .row')].map(({ dataset: { partCount, value, errorPercent, ...texts } }) => ({
        partCount: number(partCount),
        ...texts,
        value: number(value),
        errorPercent: number(errorPercent),
      })),
    };
  });
}

// gosei-cli's answer to the same arguments, in the same form.
export function nativeAnswer(args, cwd) {
  const run = spawnSync(nativeCli, [...args, '--json'], { cwd, encoding: 'utf8' });
  if (run.status !== 0) return { problem: 'refused at its field' };
  const { results } = JSON.parse(run.stdout);
  const rows = results.flatMap(({ part_count: partCount, networks, dividers }) =>
    (networks ?? dividers).map((found) => ({
      partCount,
      ...(networks ? { expression: found.expression } : { top: found.top.expression, bottom: found.bottom.expression }),
      value: networks ? found.value : found.ratio,
      errorPercent: found.error_percent,
    })),
  );
  // The best: the least error, of equal errors the first (of fewest parts).
  const best = rows.reduce((a, b) => (Math.abs(b.errorPercent) < Math.abs(a.errorPercent) ? b : a), rows[0]);
  if (best) best.best = '';
  return { partCounts: results.map((result) => result.part_count), rows };
}
