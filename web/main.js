// The main window: the page already stands as the layout placed it; this
// module wires the boxes and buttons to the engine, the messages and the
// help window.
import { loadEngine } from './engine.js';
import { setCellText, cellText, fitText } from './cells.js';
import { showMessage } from './messages.js';
import { showHelp, bringMainToFront } from './help.js';
import { cycleFocus } from './focus.js';
import { drawPictures } from './pictures.js';
import { resultSummary } from './summary.js';
import { keepOffline } from './offline.js';

const form = document.getElementById('Form1');
const target = document.getElementById('Text1');
const tolerance = document.getElementById('Text2');
const summary = document.getElementById('result-summary');
const cells = [...form.querySelectorAll('[data-cell]')].sort((a, b) => a.dataset.cell - b.dataset.cell);
const enginePromise = loadEngine();
let lastFocused = target;
let busy = false;

// One calculation from the boxes and the grid the page shows. The message,
// if any, comes first; the boxes and cells change only after OK.
async function calculate(series) {
  if (busy) return;
  busy = true;
  try {
    const engine = await enginePromise;
    const outcome = engine.calculate(series, target.value, tolerance.value, cells.map(cellText));
    if (outcome.message) await showMessage(outcome.message);
    if (tolerance.value !== outcome.tolerance) tolerance.value = outcome.tolerance;
    outcome.cells.forEach((text, i) => setCellText(cells[i], text));
    summary.textContent = resultSummary(form);
  } finally {
    busy = false;
  }
}

for (const button of form.querySelectorAll('[data-series]')) {
  button.addEventListener('click', () => calculate(button.dataset.series));
}
document.getElementById('Command5').addEventListener('click', () =>
  showHelp(() => {
    bringMainToFront();
    lastFocused.focus();
  }),
);
form.addEventListener('focusin', (event) => {
  lastFocused = event.target;
  bringMainToFront();
});
form.addEventListener('keydown', (event) => {
  cycleFocus(event, form, { wrap: false });
  // Neither Enter nor Escape does anything in the boxes.
  if (event.target.tagName === 'INPUT' && (event.key === 'Enter' || event.key === 'Escape')) {
    event.preventDefault();
  }
});

drawPictures(form);
// A face that arrives late, or a narrow screen's wider cells, change how
// much room the texts need.
const refitCells = () => cells.forEach(fitText);
document.fonts.ready.then(refitCells);
document.fonts.addEventListener('loadingdone', refitCells);
window.addEventListener('resize', refitCells);
target.focus();
// Calculations can start as soon as the engine is there.
enginePromise.then(() => {
  performance.mark('gosei-ready');
  document.documentElement.dataset.ready = 'true';
});

// Offline use, once the engine and any font the page uses have arrived.
keepOffline(Promise.all([enginePromise, document.fonts.ready]));
