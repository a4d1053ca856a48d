// Result cells that always show their whole text, as the desktop draws them.
// A text that fits (its width at most the cell's width less 2 pixels) stands
// as it is; a wider one is condensed horizontally just enough to fit,
// towards the cell's own alignment, so that background shows at a side.
// Below half width the font comes down a pixel at a time as well. Nothing
// is ever cut.
const BACKGROUND_SHOWN = 2;
const NARROWEST_SCALE = 0.5;

export function cellText(cell) {
  return cell.firstElementChild.textContent;
}

export function setCellText(cell, text) {
  cell.firstElementChild.textContent = text;
  fitText(cell);
}

const width = (element) => element.getBoundingClientRect().width;

export function fitText(cell) {
  const span = cell.firstElementChild;
  span.style.transform = '';
  span.style.fontSize = '';
  const room = width(cell) - BACKGROUND_SHOWN;
  if (width(span) <= room) return;
  let scale = room / width(span);
  let fontSize = parseFloat(getComputedStyle(span).fontSize);
  while (scale < NARROWEST_SCALE && fontSize > 1) {
    fontSize -= 1;
    span.style.fontSize = `${fontSize}px`;
    scale = Math.min(1, room / width(span));
  }
  span.style.transform = `scaleX(${scale})`;
}
