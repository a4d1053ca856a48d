// Random requests for the finder, seeded, as a person would fill in the
// finder page (find.html), and the same request as gosei-cli's arguments.
// A request: { mode, source, fields: { id: text } } where ids are the
// page's fields and an empty text leaves a field empty; stock lists come
// with their contents in fields.stock.

import { randomSource as batchRandomSource } from './batch_lines.mjs';

// The batch lines' seeded generator, with the draws requests need.
export function randomSource(seed) {
  const { next, below, pick } = batchRandomSource(seed);
  return { pick, chance: (p) => next() < p, between: (low, high) => low + below(high - low + 1) };
}

// Values as drawings and parts lists write them, and some that no reader
// takes.
const VALUES = [['4k7', 4700], ['4.7k', 4700], ['4700', 4700], ['4K7', 4700], ['470R', 470], ['4R7', 4.7], ['1M2', 1.2e6],
  ['2.2e3', 2200], ['33k', 33e3], ['680', 680], ['15.8k', 15.8e3], ['1k05', 1050], ['+47', 47], ['47ohms', 47],
  ['３ｋ３', 3300], ['12345', 12345], ['0R1', 0.1], ['7.5k', 7500], ['222', 222], ['91k', 91e3], ['1.5M', 1.5e6]];
const BAD_VALUES = ['x', '-5', '0', '4k7k', '1e30', '1.2.3'];
const STOCK_POOL = ['1k', '2k2', '4k7', '10k', '22k', '47k', '100k', '330', '680', '1M', '1k5', '3k3', '6k8',
  '15k', '33k', '68k', '150k', '12k', '820'];
// Capacitors and inductors: their values, stock and the decades of their
// default range, which starts at 10^base.
const KINDS = {
  R: { values: VALUES, stock: STOCK_POOL, exclude: ['4k7', '10k,22k', '1k, 100', '2k2,4k7,10k'], base: 0,
    decades: ['1', '10', '100', '1k', '10k', '100k', '1M', '10M'] },
  C: { values: [['4n7', 4.7e-9], ['100n', 1e-7], ['0.1uF', 1e-7], ['1nF', 1e-9], ['1000pF', 1e-9], ['2u2', 2.2e-6],
    ['4p7', 4.7e-12], ['33n', 33e-9], ['１００ｎ', 1e-7], ['0.15µF', 1.5e-7]],
  stock: ['1n', '2n2', '4n7', '10n', '22n', '47n', '100n', '220n', '1u', '330p', '680p'], exclude: ['4n7', '10n,22n'],
  base: -12, decades: ['1p', '10p', '100p', '1n', '10n', '100n', '1u', '10u', '100u', '1m', '10m'] },
  L: { values: [['10uH', 1e-5], ['4.7 µH', 4.7e-6], ['15u', 15e-6], ['2m2', 2.2e-3], ['100n', 1e-7], ['33u', 33e-6]],
    stock: ['1u', '2u2', '4u7', '10u', '22u', '47u', '100u', '220n'], exclude: ['4u7', '10u,22u'], base: -9,
    decades: ['1n', '10n', '100n', '1u', '10u', '100u', '1m', '10m', '100m', '1'] },
};
// Series with the decades of their range, so that each search stays quick.
const SERIES = [['E1', 4], ['E3', 4], ['E6', 4], ['E12', 3], ['E24', 2], ['E48', 1], ['E96', 1], ['E192', 1]];
const RATIOS = ['0.66', '0.5', '0.123', '0.9', '3.3/5', '3V3/5V', '1.8/3.3', '2.5/12', '1.2', '5/3.3', '0'];
const REGULATORS = [['0.8', '3.3'], ['1.25', '5'], ['0.6', '1.8'], ['1.229', '12'], ['0.8', '5'], ['0.8', ''], ['3.3', '0.8']];

function randomStock(r, pool) {
  const lines = [];
  for (let i = r.between(3, 10); i > 0; --i) {
    const value = r.pick(pool);
    lines.push(r.chance(0.2) ? `${value}, 0603 x${r.between(1, 50)}` : value);
  }
  if (r.chance(0.2)) lines.splice(1, 0, '# drawer 2');
  if (r.chance(0.05)) lines.push('4k7x');
  return lines.join('\n');
}

function freshRequest(r) {
  const mode = r.chance(0.55) ? 'value' : 'divider';
  const source = r.chance(0.8) ? 'series' : 'stock';
  const fields = {};
  const maybe = (p, text) => (r.chance(p) ? text : '');
  // Two networks in three of capacitors or inductors, chosen in the kind's
  // list or read from the value's unit.
  const kind = mode === 'value' && r.chance(0.67) ? r.pick(['C', 'L']) : 'R';
  const { values, stock, base, decades: DECADES } = KINDS[kind];
  if (kind !== 'R') fields.kind = kind;
  // The value about which to take the range: the wanted value's, or a
  // divider's.
  let about = 10e3;
  if (mode === 'value') {
    const [text, value] = r.pick(values);
    fields.want = r.chance(0.05) ? r.pick(BAD_VALUES) : text;
    about = value;
  } else if (r.chance(0.3)) {
    [fields.vref, fields.vout] = r.pick(REGULATORS);
    fields.want = maybe(0.05, '0.5');
  } else {
    fields.want = r.chance(0.5) ? r.pick(RATIOS) : (r.between(50, 950) / 1000).toString();
  }
  if (source === 'series') {
    const [series, most] = r.pick(SERIES);
    fields.series = series;
    // Decades around the value, and now and then the whole default range
    // where the series is short.
    const span = r.between(1, most);
    const low = Math.min(Math.max(Math.floor(Math.log10(about)) - base - r.between(0, span - 1), 0), DECADES.length - 1 - span);
    const whole = most >= 3 && kind === 'R' && r.chance(0.1);
    fields['range-low'] = whole ? '' : DECADES[low];
    fields['range-high'] = whole ? '' : DECADES[low + span];
    if (r.chance(0.03)) fields['range-high'] = r.pick(BAD_VALUES);
  } else {
    fields.stock = randomStock(r, stock);
    fields['stock-name'] = maybe(0.5, r.pick(['drawer.txt', 'bom', '引き出し']));
  }
  fields.exclude = maybe(0.2, r.chance(0.9) ? r.pick(KINDS[kind].exclude) : 'abc');
  const fewest = mode === 'value' ? 1 : 2;
  fields['parts-min'] = maybe(0.3, String(r.between(fewest, 4)));
  fields['parts-max'] = maybe(0.4, String(r.between(Number(fields['parts-min'] || fewest), 4)));
  if (r.chance(0.04)) fields['parts-max'] = r.pick(['5', '1', 'x']);
  fields.top = maybe(0.3, String(r.chance(0.95) ? r.between(1, 8) : 0));
  fields['max-error'] = maybe(0.25, r.pick(['0.5', '1', '2', '5', '0', '0.01', '-1']));
  fields['part-tolerance'] = maybe(0.25, r.pick(['0', '0.1', '1', '5', '100']));
  if (mode === 'divider') {
    fields['total-low'] = maybe(0.3, r.pick(['1k', '5k', '20k', '0']));
    fields['total-high'] = maybe(0.3, r.pick(['50k', '200k', '1M', '500']));
  }
  return { mode, source, fields };
}

// "LOW..HIGH" as the page makes it from two fields: an empty end is its
// default; nothing where both are empty.
function span(low, high, [lowDefault, highDefault]) {
  if (!low && !high) return '';
  return `${low || lowDefault}..${high || highDefault}`;
}

// gosei-cli's arguments for the request, the stock list's contents given
// as a file of the list's name; the command runs in the folder of that file.
export function commandLine({ mode, source, fields }) {
  const args = [mode === 'value' ? 'find' : 'divider'];
  if (fields.want) args.push(fields.want);
  const option = (name, text) => {
    if (text) args.push(`--${name}=${text}`);
  };
  if (mode === 'value') option('kind', fields.kind);
  if (source === 'series') {
    const { decades } = KINDS[mode === 'value' ? fields.kind || 'R' : 'R'];
    option('series', fields.series);
    option('range', span(fields['range-low'], fields['range-high'], [decades[0], decades.at(-1)]));
  } else {
    option('stock', fields['stock-name'] || '在庫');
  }
  option('exclude', fields.exclude);
  const [fewest, most] = [fields['parts-min'], fields['parts-max']];
  option('parts', fewest ? `${fewest}..${most || 4}` : most);
  option('top', fields.top);
  option('tolerance', fields['max-error']);
  option('part-tolerance', fields['part-tolerance']);
  if (mode === 'divider') {
    option('total', span(fields['total-low'], fields['total-high'], ['10k', '100k']));
    option('vref', fields.vref);
    option('vout', fields.vout);
  }
  return args;
}

// What a person changes together: the wanted value with the mode, the
// parts, and each condition.
const GROUPS = [
  ['mode', 'kind', 'want', 'vref', 'vout'],
  ['source', 'series', 'range-low', 'range-high', 'stock', 'stock-name'],
  ['exclude'],
  ['parts-min', 'parts-max'],
  ['top'],
  ['max-error'],
  ['part-tolerance'],
  ['total-low', 'total-high'],
];

// A request made from the one before as a person changes a request: each
// group of fields new now and then, kept otherwise (the first request all
// new). A new mode brings a new wanted value.
export function randomRequest(r, previous = null) {
  const fresh = freshRequest(r);
  if (!previous) return fresh;
  const request = { ...fresh, fields: { ...fresh.fields } };
  const kindOf = ({ fields }) => fields.kind ?? 'R';
  for (const group of GROUPS) {
    if (r.chance(0.4)) continue;
    // Parts and exclusions of another kind of part would only be refused.
    const ofParts = group.includes('series') || group.includes('exclude');
    if (ofParts && kindOf(request) !== kindOf(previous)) continue;
    for (const name of group) {
      if (name === 'mode' || name === 'source') {
        request[name] = previous[name];
      } else if (previous.fields[name] !== undefined) {
        request.fields[name] = previous.fields[name];
      } else {
        delete request.fields[name];
      }
    }
  }
  return request;
}
