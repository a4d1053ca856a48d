// The finder's results as the module lays them out: for each part count its
// rows, each a schematic and its cells under the table's headings. A row
// carries what it found as gosei-cli --json gives it: data-part-count,
// data-expression (a divider's data-top and data-bottom), data-value (a
// divider's ratio) and data-error-percent; the best of all rows carries
// data-best.
import { schematicSvg } from './schematic.js';

function add(parent, tag, attributes = {}, text = '') {
  const element = parent.appendChild(document.createElement(tag));
  Object.assign(element, attributes);
  if (text) element.textContent = text;
  return element;
}

function rowElement(list, partCount, found, { cells, schematic, title }, headings, fontFamily) {
  const row = add(list, 'li', { className: 'row' });
  Object.assign(row.dataset, found.top
    ? { top: found.top.expression, bottom: found.bottom.expression, value: found.ratio }
    : { expression: found.expression, value: found.value });
  row.dataset.partCount = partCount;
  row.dataset.errorPercent = found.error_percent;
  const figure = add(row, 'div', { className: 'schematic' });
  figure.append(schematicSvg(schematic, { title, fontFamily }));
  const columns = add(row, 'dl');
  cells.forEach((text, i) => {
    const column = add(columns, 'div');
    add(column, 'dt', {}, headings[i]);
    add(column, 'dd', {}, text);
  });
  return row;
}

// Draws the answer into `container`.
export function drawResults(container, { report, table }) {
  const fontFamily = getComputedStyle(container).fontFamily;
  const sections = table.groups.map(({ part_count: partCount, title, rows }, i) => {
    const section = document.createElement('section');
    section.className = 'part-count';
    section.dataset.partCount = partCount;
    add(section, 'h3', {}, title);
    const { networks, dividers } = report.results[i];
    if (rows.length === 0) add(section, 'p', { className: 'none' }, table.none);
    const list = rows.length > 0 ? add(section, 'ol') : null;
    list?.style.setProperty('--columns', table.headings.length);
    rows.forEach((row, j) => {
      const element = rowElement(list, partCount, (networks ?? dividers)[j], row, table.headings, fontFamily);
      if (table.best?.[0] === i && table.best?.[1] === j) element.dataset.best = '';
    });
    return section;
  });
  container.replaceChildren(...sections);
}
