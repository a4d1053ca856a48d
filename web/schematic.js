// A network's schematic as an SVG element, painted from the geometry that
// view/schematic.cpp lays out and schematicJson writes: every position and
// size is the geometry's, only scaled. Lines, bodies, dots and text take the
// element's colour (currentColor). Symbols and labels carry their part's
// index in writing order as data-part, and symbols their kind as
// data-symbol (resistor, capacitor or inductor).
const SVG = 'http://www.w3.org/2000/svg';
// Where the baseline stands below the middle of a label's box, in ems: half
// the height of digits and capitals, so that their ink is centred.
const HALF_CAP_HEIGHT = 0.36;

function create(name, attributes = {}) {
  const node = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
  return node;
}

function add(parent, name, attributes) {
  return parent.appendChild(create(name, attributes));
}

// One canvas measures every label; setting its font parses it, so that is
// done only when the font changes.
let measuring = null;
let measuringFont = '';

// The text's width in CSS pixels in the font (CSS shorthand, e.g. '16px
// sans-serif').
export function measuredWidth(text, font) {
  measuring ??= document.createElement('canvas').getContext('2d');
  if (measuringFont !== font) measuring.font = measuringFont = font;
  return measuring.measureText(text).width;
}

function segmentsPath(segments) {
  return segments.map(([x1, y1, x2, y2]) => `M${x1} ${y1}L${x2} ${y2}`).join('');
}

// A resistor is its body box; a capacitor its lines, straight along the
// axes; an inductor its turns, each clockwise from one end to the other.
function addSymbol(straight, curved, { box: [x, y, width, height], part, symbol, lines, turns }) {
  const marks = { 'data-part': part, 'data-symbol': symbol };
  if (lines) {
    add(straight, 'path', { d: segmentsPath(lines), ...marks });
  } else if (turns) {
    const arc = ({ from: [x1, y1], to: [x2, y2], radius: r }) => `M${x1} ${y1}A${r} ${r} 0 0 1 ${x2} ${y2}`;
    add(curved, 'path', { d: turns.map(arc).join(''), ...marks });
  } else {
    add(straight, 'rect', { x, y, width, height, ...marks });
  }
}

// The text as high as its box, centred in it, and condensed where it would
// be wider than the box.
function addLabel(parent, { box: [left, top, width, height], text, part }, fontFamily) {
  const label = add(parent, 'text', {
    x: left + width / 2,
    y: top + height / 2 + HALF_CAP_HEIGHT * height,
    'font-size': height,
    'data-part': part,
  });
  label.textContent = text;
  if (measuredWidth(text, `${height}px ${fontFamily}`) > width) {
    label.setAttribute('textLength', width);
    label.setAttribute('lengthAdjust', 'spacingAndGlyphs');
  }
}

// options.title: the drawing's accessible name (default 回路図, "circuit
// diagram"); options.scale: CSS pixels a unit; options.fontFamily: the
// labels' face.
export function schematicSvg(geometry, { title = '回路図', scale = 1, fontFamily = 'sans-serif' } = {}) {
  const svg = create('svg', {
    viewBox: `0 0 ${geometry.width} ${geometry.height}`,
    width: geometry.width * scale,
    height: geometry.height * scale,
    role: 'img',
  });
  add(svg, 'title').textContent = title;

  const lines = add(svg, 'g', {
    fill: 'none',
    stroke: 'currentColor',
    'stroke-width': geometry.stroke,
    'stroke-linecap': 'square',
  });
  // Straight lines along the axes: sharp edges rather than smoothed ones.
  const straight = add(lines, 'g', { 'shape-rendering': 'crispEdges' });
  const segments = [...geometry.wires, ...geometry.grounds.flatMap((ground) => ground.bars)];
  add(straight, 'path', { d: segmentsPath(segments) });
  for (const symbol of geometry.resistors) addSymbol(straight, lines, symbol);
  for (const { centre: [cx, cy], radius } of geometry.terminals) add(lines, 'circle', { cx, cy, r: radius });

  const dots = add(svg, 'g', { fill: 'currentColor' });
  for (const [cx, cy] of geometry.junctions) add(dots, 'circle', { cx, cy, r: geometry.junctionRadius });

  const labels = add(svg, 'g', { fill: 'currentColor', 'text-anchor': 'middle', 'font-family': fontFamily });
  for (const label of geometry.labels) addLabel(labels, label, fontFamily);
  return svg;
}
