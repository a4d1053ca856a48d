// Result cells that always show their whole text. A text that fits (its
// width at most the cell's width less 2 pixels) is drawn as it is; a wider
// one is condensed horizontally just enough to fit, towards the cell's own
// alignment, so that a pixel of the cell's background shows at a side. Below
// half width the font size comes down as well. Nothing is ever cut.
const MARGIN = 2;
const SMALLEST_SCALE = 0.5;

export function setCellText(cell, text) {
  const span = cell.firstElementChild;
  span.textContent = text;
  fitText(cell);
}

export function cellText(cell) {
  return cell.firstElementChild.textContent;
}

export function fitText(cell) {
  const span = cell.firstElementChild;
  span.style.transform = '';
  span.style.fontSize = '';
  const room = cell.offsetWidth - MARGIN;
  // The layout width, whatever scale the page is shown at.
  const width = span.getBoundingClientRect().width * (cell.offsetWidth / cell.getBoundingClientRect().width);
  if (width <= room) return;
  let scale = room / width;
  if (scale < SMALLEST_SCALE) {
    const fontSize = parseFloat(getComputedStyle(span).fontSize);
    span.style.fontSize = `${(fontSize * scale) / SMALLEST_SCALE}px`;
    scale = SMALLEST_SCALE;
  }
  span.style.transform = `scaleX(${scale})`;
}
