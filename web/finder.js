// The finder page: its fields make a request as gosei-cli find or divider
// would read it, and each change searches again. Typing is debounced: a
// change after a quiet moment searches at once, one in a burst of typing
// when the burst has stopped. #results is aria-busy until the answer to
// the fields as they stand is drawn; a search that takes a while says so
// in place of the older summary, and dims the older results. Each search
// that a change makes is kept in the page's address (finder-address.js):
// a burst of typing as one entry of the history, a change after a pause as
// the next.
import { finderClient } from './finder-client.js';
import { clearResults, drawResults } from './finder-results.js';
import { keepStockLists } from './stock-lists.js';
import { keepOffline } from './offline.js';
import { addressOf, showAddress } from './finder-address.js';
import { SEARCHING, searchingMore } from './finder-words.js';

const QUIET_MS = 150;
// Changes closer together than this are one request being typed.
const BURST_MS = 1000;
// Quicker answers replace the older ones without a word in between.
const SEARCHING_NOTICE_MS = 300;

const form = document.getElementById('request');
const field = (id) => document.getElementById(id);
const [mode, stockSource] = ['mode', 'source-stock'].map(field);
const summary = field('summary');
const results = field('results');
const answerSection = document.querySelector('.answer');
const stockNote = field('stock-note');
const legend = field('legend');

// The request as the worker's module reads it: the request of the address
// (every field by its id, the mode, the source, the stock list's name),
// with the stock list's text.
function request() {
  const params = new URLSearchParams(addressOf(form));
  const stockName = field('stock-name');
  if (!stockName.value) params.set('stock-name', stockName.placeholder);
  if (stockSource.checked) params.set('stock', field('stock').value);
  return params;
}

// What an empty field stands for in the request as it is now.
// A list's first choice stands for the request's own, which it names.
function showPlaceholders(placeholders) {
  for (const [id, text] of Object.entries(placeholders)) {
    const shown = field(id);
    if (shown.tagName === 'SELECT') shown.options[0].textContent = text;
    else shown.placeholder = text;
  }
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
  if (!problem?.field || problem.typing) return;
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
// Searches made so far.
let searches = 0;

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
  // The rows are drawn once the last of them stands, which may be after
  // a newer search has started.
  const answered = searches;
  const drawn = () => {
    performance.mark(more ? 'finder-first-drawn' : 'finder-drawn');
    if (!more && timer === null && answered === searches) results.setAttribute('aria-busy', 'false');
  };
  legend.hidden = !answer.table?.groups.some(({ rows }) => rows.length > 0);
  if (problem) {
    clearResults(results);
    summary.textContent = problem.message;
    drawn();
  } else {
    const started = () => {
      summary.textContent = more ? `${answer.summary}${searchingMore(field('parts-max').placeholder)}` : answer.summary;
    };
    drawResults(results, answer, { started, drawn });
  }
}

const search = finderClient(drawAnswer);

function searchNow() {
  timer = null;
  searches += 1;
  const params = request();
  clearTimeout(notice);
  if (asksSomething(params)) notice = setTimeout(showSearching, SEARCHING_NOTICE_MS);
  search(params.toString());
}

let lastKept = -Infinity;

// The request into the address: the next entry of the history, or in
// place of the current one while the same burst of typing goes on.
function keepInAddress() {
  const address = addressOf(form);
  const now = performance.now();
  if (address !== location.search) {
    history[now - lastKept < BURST_MS ? 'replaceState' : 'pushState'](null, '', address);
  }
  lastKept = now;
}

function searchChanged() {
  searchNow();
  keepInAddress();
}

function changed() {
  results.setAttribute('aria-busy', 'true');
  clearTimeout(timer);
  const now = performance.now();
  if (now - lastChange >= QUIET_MS) {
    searchChanged();
  } else {
    timer = setTimeout(searchChanged, QUIET_MS);
  }
  lastChange = now;
}

function showMode() {
  form.dataset.mode = mode.value;
  form.dataset.source = stockSource.checked ? 'stock' : 'series';
}

const showStockList = keepStockLists({
  name: field('stock-name'),
  text: field('stock'),
  choice: field('stock-lists'),
  save: field('stock-save'),
  remove: field('stock-delete'),
  source: form.elements.source,
});

// The request of an address, with the stock list it names.
function showRequest(search) {
  showAddress(form, search);
  if (stockSource.checked) showStockList(field('stock-name').value);
}
// Selects and radio buttons say 'input' as well.
form.addEventListener('input', () => {
  showMode();
  changed();
});
form.addEventListener('submit', (event) => event.preventDefault());
// Back and Forward: the request of that entry, searched at once.
window.addEventListener('popstate', () => {
  clearTimeout(timer);
  showRequest(location.search);
  showMode();
  lastKept = -Infinity;
  results.setAttribute('aria-busy', 'true');
  searchNow();
});
// Without a request in the address, the fields stay as the browser and
// the kept stock list left them.
if (location.search) showRequest(location.search);
showMode();
searchNow();
keepOffline(document.fonts.ready);
