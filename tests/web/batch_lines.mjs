// Batch lines for comparing two builds of the engine: every series, targets
// over many decades in every form the boxes read, odd texts, and tolerances
// in and out of range. The same seed gives the same lines.
export function randomSource(seed) {
  let state = seed >>> 0;
  const next = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const below = (n) => Math.floor(next() * n);
  const pick = (list) => list[below(list.length)];
  return { next, below, pick };
}

const FULL_WIDTH = { '0': '０', '1': '１', '2': '２', '3': '３', '4': '４', '5': '５', '6': '６', '7': '７', '8': '８', '9': '９', '.': '．', '+': '＋', '-': '－' };

function digits(random, count) {
  let text = '';
  for (let i = 0; i < count; ++i) text += String(random.below(10));
  return text;
}

// A positive number written with a decimal point somewhere among its digits
// and, sometimes, an exponent.
function decimalText(random) {
  const significant = digits(random, 1 + random.below(9)).replace(/^0+/, '') || '1';
  const decade = random.below(90) - 45;
  const form = random.below(4);
  if (form === 0) return `${significant[0]}.${significant.slice(1) || '0'}e${decade}`;
  if (form === 1) return `${significant[0]}.${significant.slice(1)}E${decade < 0 ? '-' : '+'}${String(Math.abs(decade)).padStart(2, '0')}`;
  const point = random.below(significant.length + 1);
  const shift = random.below(13) - 6;
  const whole = significant.slice(0, point) || '0';
  const fraction = significant.slice(point);
  return shift >= 0 ? `${whole}${'0'.repeat(shift)}${fraction ? '.' + fraction : ''}` : `0.${'0'.repeat(-shift)}${whole}${fraction}`;
}

function fullWidth(text) {
  return [...text].map((c) => FULL_WIDTH[c] ?? c).join('');
}

const ODD_TARGETS = ['', '0', '-47', '+47', 'abc', '.5', '5.', '1e', '1e+', '47k', '4.7kΩ', '1e39', '3.4e38', '3.5e38', '1e-38', '9e-39', '1e-400', '1e400', '\u3000 47', '  4.7', '−47', '0.000', '٣', '1,5', '9'.repeat(60), '0x10', 'e5', '--1', '+-1'];
const ODD_TOLERANCES = ['', '0', '-3', '5', '5.0001', '5.1', '10', '10.1', '20', '20.1', '１０', '3%', 'x', '1e9', '1e-30', '\u3000２', '-0'];

function target(random) {
  const roll = random.below(20);
  if (roll === 0) return random.pick(ODD_TARGETS);
  let text = decimalText(random);
  if (roll === 1) text = fullWidth(text);
  if (roll === 2) text = `${random.pick([' ', '\u3000', '+', '＋'])}${text}`;
  if (roll === 3) text += random.pick(['k', 'Ω', ' ohm', '%', 'μ', '４']);
  if (roll === 4) text = `-${text}`;
  return text;
}

function tolerance(random) {
  const roll = random.below(10);
  if (roll < 4) return null; // no field, or an empty one
  if (roll < 6) return random.pick(ODD_TOLERANCES);
  const value = (random.next() * (roll < 8 ? 6 : 40)).toFixed(random.below(4));
  return roll === 9 ? fullWidth(value) : value;
}

export function batchLines(count, seed) {
  const random = randomSource(seed);
  const lines = [];
  for (let i = 0; i < count; ++i) {
    const series = random.below(200) === 0 ? random.pick(['E7', 'e6', '', 'E6 ']) : random.pick(['E3', 'E6', 'E12', 'E24']);
    const tol = tolerance(random);
    if (tol === null) lines.push(random.below(2) ? `${series}\t${target(random)}` : `${series}\t${target(random)}\t`);
    else lines.push(`${series}\t${target(random)}\t${tol}`);
  }
  return lines;
}
