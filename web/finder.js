// The finder page: its fields make a request as gosei-cli find or divider
// would read it, and each change searches again. Typing is debounced: a
// change after a quiet moment searches at once, one in a burst of typing
// when the burst has stopped. #results is aria-busy until the answer to
// the fields as they stand is drawn; a search that takes a while says so
// in place of the older summary, and dims the older results.
import { finderClient } from './finder-client.js';
import { drawResults } from './finder-results.js';
import { keepStockLists } from './stock-lists.js';
import { keepOffline } from './offline.js';
import { SEARCHING, searchingMore } from './finder-words.js';

const QUIET_MS = 150;
// Quicker answers replace the older ones without a word in between.
const SEARCHING_NOTICE_MS = 300;

const form = document.getElementById('request');
const field = (id) => document.getElementById(id);
const [mode, stockSource] = ['mode', 'source-stock'].map(field);
const summary = field('summary');
const results = field('results');
const answerSection = document.querySelector('.answer');
const stockNote = field('stock-note');

// The request as the worker's module reads it: every field of the form by
// its id (those the request does not show are left out there), the mode,
// the source, and the stock list's name and text.
function request() {
  const params = new URLSearchParams({ mode: mode.value, source: stockSource.checked ? 'stock' : 'series' });
  for (const input of form.querySelectorAll('[data-field]')) {
    if (input.value && input !== mode) params.set(input.id, input.value);
  }
  const stockName = field('stock-name');
  params.set('stock-name', stockName.value || stockName.placeholder);
  return params;
}

// What an empty field stands for in the request as it is now.
function showPlaceholders(placeholders) {
  for (const [id, text] of Object.entries(placeholders)) field(id).placeholder = text;
}

// Whether the fields ask for anything: an empty request is answered with
// a prompt alone.
const asksSomething = (params) => ['want', 'vref', 'vout'].some((id) => params.has(id));

// The field a problem is with: marked, its message beside it and read
// with it, and on screen.
let marked = null;
function markField(problem) {
  if (marked) {
    marked.removeAttribute('aria-invalid');
    const describedBy = (marked.getAttribute('aria-describedby') ?? '').split(' ').filter((id) => id && id !== `${marked.id}-problem`);
    if (describedBy.length) marked.setAttribute('aria-describedby', describedBy.join(' '));
    else marked.removeAttribute('aria-describedby');
    field(`${marked.id}-problem`).hidden = true;
    marked = null;
  }
  if (!problem || problem.typing) return;
  marked = field(problem.field);
  const message = field(`${problem.field}-problem`);
  message.textContent = problem.message;
  message.hidden = false;
  marked.setAttribute('aria-invalid', 'true');
  const describedBy = marked.getAttribute('aria-describedby');
  marked.setAttribute('aria-describedby', describedBy ? `${describedBy} ${message.id}` : message.id);
  if (document.activeElement === marked) message.scrollIntoView({ block: 'nearest' });
}

let timer = null;
let lastChange = -Infinity;
let notice = null;

// The older summary and its note give way; the older rows stay, dimmed.
function showSearching() {
  summary.classList.remove('problem');
  summary.textContent = SEARCHING;
  stockNote.hidden = true;
  answerSection.classList.add('searching');
}

// `more`: the answer for fewer part counts, the whole one to follow.
function drawAnswer(answer, more) {
  clearTimeout(notice);
  answerSection.classList.remove('searching');
  if (answer.placeholders) showPlaceholders(answer.placeholders);
  if (answer.unknown_field) console.error(`the finder does not know the field ${answer.unknown_field}`);
  const problem = answer.problem ?? (answer.unknown_field ? { message: answer.unknown_field } : null);
  markField(problem);
  summary.classList.toggle('problem', Boolean(problem && !problem.typing));
  stockNote.hidden = answer.report?.request.counted_stock !== true;
  if (problem) {
    results.replaceChildren();
    summary.textContent = problem.message;
  } else {
    drawResults(results, answer);
    summary.textContent = more ? `${answer.summary}${searchingMore(field('parts-max').placeholder)}` : answer.summary;
  }
  performance.mark(more ? 'finder-first-drawn' : 'finder-drawn');
  if (!more && timer === null) results.setAttribute('aria-busy', 'false');
}

const search = finderClient(drawAnswer);

function searchNow() {
  timer = null;
  const params = request();
  clearTimeout(notice);
  if (asksSomething(params)) notice = setTimeout(showSearching, SEARCHING_NOTICE_MS);
  search(params.toString());
}

function changed() {
  results.setAttribute('aria-busy', 'true');
  clearTimeout(timer);
  const now = performance.now();
  if (now - lastChange >= QUIET_MS) {
    searchNow();
  } else {
    timer = setTimeout(searchNow, QUIET_MS);
  }
  lastChange = now;
}

function showMode() {
  form.dataset.mode = mode.value;
  form.dataset.source = stockSource.checked ? 'stock' : 'series';
}

keepStockLists({
  name: field('stock-name'),
  text: field('stock'),
  choice: field('stock-lists'),
  save: field('stock-save'),
  remove: field('stock-delete'),
});
// Selects and radio buttons say 'input' as well.
form.addEventListener('input', () => {
  showMode();
  changed();
});
form.addEventListener('submit', (event) => event.preventDefault());
showMode();
searchNow();
keepOffline(document.fonts.ready);
