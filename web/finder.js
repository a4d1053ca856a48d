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
import { NO_PART_TOLERANCE, SEARCHING, searchingMore } from './finder-words.js';

const QUIET_MS = 150;
// Changes closer together than this are one request being typed.
const BURST_MS = 1000;
// Quicker answers replace the older ones without a word in between.
const SEARCHING_NOTICE_MS = 300;

const form = document.getElementById('request');
const field = (id) => document.getElementById(id);
const [mode, stockSource] = ['mode', 'source-stock'].map(field);
const summary = field('summary');
// What the summary says before anything is asked for.
const WAITING = summary.textContent;
const results = field('results');
const answerSection = document.querySelector('.answer');
const stockNote = field('stock-note');
const legend = field('legend');

// "LOW..HIGH" from two fields, an empty end standing for its default (its
// placeholder); nothing where both are empty.
function span(low, high) {
  if (!field(low).value && !field(high).value) return '';
  const end = (id) => field(id).value || field(id).placeholder;
  return `${end(low)}..${end(high)}`;
}

// The part counts as gosei-cli's --parts: N alone where only the most is
// given, which counts from the mode's fewest.
function partCounts() {
  const [fewest, most] = [field('parts-min').value, field('parts-max').value];
  if (!fewest) return most;
  return `${fewest}..${most || field('parts-max').placeholder}`;
}

function requestFields() {
  const divider = mode.value === 'divider';
  const fields = { mode: mode.value };
  const give = (name, text) => {
    if (text) fields[name] = text;
  };
  const giveField = (id) => give(id, field(id).value);
  ['want', 'exclude', 'top', 'max-error', 'part-tolerance'].forEach(giveField);
  give('parts', partCounts());
  if (divider) {
    ['vref', 'vout'].forEach(giveField);
    give('total', span('total-low', 'total-high'));
  }
  if (stockSource.checked) {
    fields.stock = field('stock').value;
    fields['stock-name'] = field('stock-name').value || field('stock-name').placeholder;
  } else {
    giveField('series');
    give('range', span('range-low', 'range-high'));
  }
  return fields;
}

// What an empty field stands for in the request as it is now.
function showDefaults(defaults) {
  [field('range-low').placeholder, field('range-high').placeholder] = defaults.range;
  [field('parts-min').placeholder, field('parts-max').placeholder] = defaults.parts;
  [field('total-low').placeholder, field('total-high').placeholder] = defaults.total;
  field('top').placeholder = defaults.top;
  const partTolerance = defaults['part-tolerance'];
  field('part-tolerance').placeholder = partTolerance === '0' ? NO_PART_TOLERANCE : partTolerance;
}

// Whether the fields ask for anything: an empty request is answered
// with the defaults alone.
const asksSomething = ({ want, vref, vout }) => Boolean(want || vref || vout);

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
  if (answer.defaults) showDefaults(answer.defaults);
  const waiting = 'problem' in answer && !asksSomething(requestFields());
  summary.classList.toggle('problem', 'problem' in answer && !waiting);
  stockNote.hidden = answer.report?.request.counted_stock !== true;
  // The rows are drawn once the last of them stands, which may be after
  // a newer search has started.
  const answered = searches;
  const drawn = () => {
    performance.mark(more ? 'finder-first-drawn' : 'finder-drawn');
    if (!more && timer === null && answered === searches) results.setAttribute('aria-busy', 'false');
  };
  legend.hidden = !answer.rows?.some((rows) => rows.length > 0);
  if ('problem' in answer) {
    clearResults(results);
    summary.textContent = waiting ? WAITING : answer.problem;
    drawn();
  } else {
    const started = (found) => {
      summary.textContent = more ? `${found}${searchingMore(field('parts-max').placeholder)}` : found;
    };
    drawResults(results, answer, { started, drawn });
  }
}

const search = finderClient(drawAnswer);

function searchNow() {
  timer = null;
  searches += 1;
  const fields = requestFields();
  clearTimeout(notice);
  if (asksSomething(fields)) notice = setTimeout(showSearching, SEARCHING_NOTICE_MS);
  search(fields);
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
