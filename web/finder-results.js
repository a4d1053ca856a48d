// The finder's results: for each part count its rows, each a schematic and
// the texts gosei-cli prints in its columns. A row carries what it found
// as gosei-cli --json gives it: data-part-count, data-expression (a
// divider's data-top and data-bottom), data-value (a divider's ratio) and
// data-error-percent.
import { schematicSvg } from './schematic.js';
import { headings, partCountTitle, NONE_FOUND, schematicTitle, summary } from './finder-words.js';

function add(parent, tag, attributes = {}, text = '') {
  const element = parent.appendChild(document.createElement(tag));
  Object.assign(element, attributes);
  if (text) element.textContent = text;
  return element;
}

function rowElement(list, partCount, found, { texts, schematic }, names, divider, fontFamily) {
  const row = add(list, 'li', { className: 'row' });
  Object.assign(row.dataset, divider
    ? { top: found.top.expression, bottom: found.bottom.expression, value: found.ratio }
    : { expression: found.expression, value: found.value });
  row.dataset.partCount = partCount;
  row.dataset.errorPercent = found.error_percent;
  const figure = add(row, 'div', { className: 'schematic' });
  figure.append(schematicSvg(schematic, { title: schematicTitle(texts, divider), fontFamily }));
  const columns = add(row, 'dl');
  // The worst case is empty where parts have no tolerance.
  texts.forEach((text, i) => {
    if (!text) return;
    const column = add(columns, 'div');
    add(column, 'dt', {}, names[i]);
    add(column, 'dd', {}, text);
  });
}

// Draws the answer into `container`; returns the summary to say.
export function drawResults(container, { report, rows }) {
  const divider = 'ratio' in report.request;
  const regulator = 'vref' in report.request;
  const names = headings(divider, regulator);
  const fontFamily = getComputedStyle(container).fontFamily;
  const sections = report.results.map(({ part_count: partCount, networks, dividers }, i) => {
    const section = document.createElement('section');
    section.className = 'part-count';
    section.dataset.partCount = partCount;
    add(section, 'h3', {}, partCountTitle(partCount));
    const found = networks ?? dividers;
    if (found.length === 0) add(section, 'p', { className: 'none' }, NONE_FOUND);
    const list = found.length > 0 ? add(section, 'ol') : null;
    list?.style.setProperty('--columns', rows[i][0].texts.filter(Boolean).length);
    found.forEach((result, j) => rowElement(list, partCount, result, rows[i][j], names, divider, fontFamily));
    return section;
  });
  container.replaceChildren(...sections);

  // The best is the smallest error; of equal errors, the one of fewest parts.
  const all = report.results.flatMap(({ networks, dividers }, i) => (networks ?? dividers).map((found, j) => [found, rows[i][j]]));
  const best = all.reduce((a, b) => (Math.abs(b[0].error_percent) < Math.abs(a[0].error_percent) ? b : a), all[0]);
  return summary(all.length, best?.[1].texts, divider, regulator);
}
