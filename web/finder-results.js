// The finder's results as the module lays them out: for each part count its
// rows, each a schematic and its cells under the table's headings. A row
// carries what it found as gosei-cli --json gives it: data-part-count,
// data-expression (a divider's data-top and data-bottom), data-value (a
// divider's ratio) and data-error-percent; the best of all rows carries
// data-best.
//
// A thousand rows take seconds to build and lay out, so the first
// screenful is drawn in one task and the rest follow in slices, each its
// own task, so that the page answers typing and scrolling in between. A
// newer answer drops the slices of the older one.
import { measuredWidth, schematicSvg } from './schematic.js';

function add(parent, tag, attributes = {}, text = '') {
  const element = parent.appendChild(document.createElement(tag));
  Object.assign(element, attributes);
  if (text) element.textContent = text;
  return element;
}

function rowElement(list, partCount, found, { cells, schematic, title }, headings, fontFamily, best) {
  const row = add(list, 'li', { className: 'row' });
  Object.assign(row.dataset, found.top
    ? { top: found.top.expression, bottom: found.bottom.expression, value: found.ratio }
    : { expression: found.expression, value: found.value });
  row.dataset.partCount = partCount;
  row.dataset.errorPercent = found.error_percent;
  if (best) row.dataset.best = '';
  const figure = add(row, 'div', { className: 'schematic' });
  figure.append(schematicSvg(schematic, { title, fontFamily }));
  const columns = add(row, 'dl');
  cells.forEach((text, i) => {
    const column = add(columns, 'div');
    add(column, 'dt', {}, headings[i]);
    add(column, 'dd', {}, text);
  });
}

// The fonts of a row's texts and their headings, as find.css sets them.
const TEXT_FONT = '16px';
const HEADING_FONT = '12px';
const MEASURED_TEXTS = 20;

// The widths that the rows of a list share, as its custom properties: the
// widest drawing's (--schematic) and each column's widest text or heading
// (--column-1...). The rows then line up as a table's where the screen is
// wide enough and wrap where it is not; each row is laid out on its own,
// however many the list holds.
function shareColumns(list, rows, names, fontFamily) {
  const widths = names.flatMap((name, i) => {
    const texts = rows.map(({ cells }) => cells[i]).filter(Boolean);
    if (texts.length === 0) return [];
    // Measuring a thousand texts takes a while: the widest is among the
    // longest.
    const most = Math.max(...texts.map((text) => text.length));
    const longest = texts.filter((text) => text.length >= most - 2).slice(0, MEASURED_TEXTS);
    const font = `${TEXT_FONT} ${fontFamily}`;
    const width = Math.max(measuredWidth(name, `${HEADING_FONT} ${fontFamily}`), ...longest.map((text) => measuredWidth(text, font)));
    return [Math.ceil(width) + 1];
  });
  const px = (width) => `${width}px`;
  widths.forEach((width, i) => list.style.setProperty(`--column-${i + 1}`, px(width)));
  list.style.setProperty('--schematic', px(Math.max(...rows.map(({ schematic }) => schematic.width))));
}

const FIRST_ROWS = 20;
const SLICE_ROWS = 50;
// A slice's time: it leaves room in its task for laying the rows out, on
// a slow or busy machine too.
const SLICE_MS = 30;
// The slices still to draw of the answer being drawn.
let slices = null;

function stopDrawing() {
  clearTimeout(slices);
  slices = null;
}

// Empties `container` and drops what was still to be drawn into it.
export function clearResults(container) {
  stopDrawing();
  container.replaceChildren();
}

// Runs start(), which draws what stands above the rows and returns each
// row's drawing, and the first rows' drawings in a task of their own, the
// others in slices; then done().
function drawInSlices(start, done) {
  let drawings = [];
  let next = 0;
  // Draws up to `rows` rows, or fewer where their time runs out, and has
  // the rest drawn in the next slice.
  const slice = (rows) => {
    const deadline = performance.now() + SLICE_MS;
    const end = Math.min(next + rows, drawings.length);
    // One row at least, so that each slice gets on.
    if (next < end) drawings[next++]();
    while (next < end && performance.now() < deadline) drawings[next++]();
    if (next < drawings.length) {
      slices = setTimeout(() => slice(SLICE_ROWS));
    } else {
      slices = null;
      done();
    }
  };
  slices = setTimeout(() => {
    drawings = start();
    slice(FIRST_ROWS);
  });
}

// Draws the answer into `container`: calls started() with its first rows,
// and drawn() once its last row stands. The drawing starts in a task after
// the one that brought the answer, which has taken a while already to
// receive it.
export function drawResults(container, { report, table }, { started, drawn }) {
  stopDrawing();
  drawInSlices(() => {
    // Each row's drawing, in the order of the page.
    const pending = [];
    const fontFamily = getComputedStyle(container).fontFamily;
    const sections = table.groups.map(({ part_count: partCount, title, rows }, i) => {
      const section = document.createElement('section');
      section.className = 'part-count';
      section.dataset.partCount = partCount;
      add(section, 'h3', {}, title);
      const { networks, dividers } = report.results[i];
      if (rows.length === 0) add(section, 'p', { className: 'none' }, table.none);
      const list = rows.length > 0 ? add(section, 'ol') : null;
      if (list) shareColumns(list, rows, table.headings, fontFamily);
      rows.forEach((row, j) => {
        const best = table.best?.[0] === i && table.best?.[1] === j;
        pending.push(() => rowElement(list, partCount, (networks ?? dividers)[j], row, table.headings, fontFamily, best));
      });
      return section;
    });
    container.replaceChildren(...sections);
    started();
    return pending;
  }, drawn);
}
