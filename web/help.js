// The help window: a second window inside the page, made from its template
// on first use. 戻る and Escape hide it, keeping its scroll position and
// selection; ＨＥＬＰ shows the same window again; its close control
// discards it, so that the next ＨＥＬＰ makes a fresh one, scrolled to the
// top. Both give the focus back to the main window.
import { cycleFocus } from './focus.js';

const MARGIN = 8; // between the window and the viewport's edges
const GAP = 16; // between the two windows

const form = document.getElementById('Form1');
let helpWindow = null;
let pageSheet = null;
let returnToMain = () => {};

// The page's own style sheets, shared with the window's shadow tree so that
// the window is styled from its first frame.
function sharedSheet() {
  if (!pageSheet) {
    pageSheet = new CSSStyleSheet();
    const rules = [...document.styleSheets].flatMap((sheet) => [...sheet.cssRules]);
    pageSheet.replaceSync(rules.map((rule) => rule.cssText).join('\n'));
  }
  return pageSheet;
}

function selectOption(list, option) {
  for (const other of list.querySelectorAll('[aria-selected="true"]')) {
    other.setAttribute('aria-selected', 'false');
  }
  option.setAttribute('aria-selected', 'true');
  list.setAttribute('aria-activedescendant', option.id);
  option.scrollIntoView({ block: 'nearest' });
}

// One entry at a time can be selected, by click or by the arrow keys;
// selecting does nothing else.
function makeListSelectable(list) {
  const options = [...list.children];
  list.addEventListener('click', (event) => {
    const option = event.target.closest('[role="option"]');
    if (option) selectOption(list, option);
  });
  list.addEventListener('keydown', (event) => {
    const steps = { ArrowDown: 1, ArrowUp: -1, PageDown: 10, PageUp: -10 };
    const ends = { Home: 0, End: options.length - 1 };
    const current = options.findIndex((o) => o.getAttribute('aria-selected') === 'true');
    let next;
    if (event.key in steps) next = Math.max(0, Math.min(options.length - 1, current + steps[event.key]));
    else if (event.key in ends) next = ends[event.key];
    else return;
    event.preventDefault();
    selectOption(list, options[next]);
  });
}

const within = (value, low, high) => Math.max(low, Math.min(value, high));

// The lowest top edge, no lower than limit, that passes between the main
// window's lines of text rather than through one.
function topBetweenLines(limit) {
  const main = form.getBoundingClientRect();
  const lines = [...form.querySelectorAll('.placed')].map((control) => control.getBoundingClientRect());
  const edges = [MARGIN, main.bottom + GAP, ...lines.map((line) => line.bottom + MARGIN / 2)].filter(
    (y) => y >= MARGIN && y <= limit && !lines.some((line) => line.top < y && y < line.bottom),
  );
  return edges.length ? Math.max(...edges) : MARGIN;
}

// A sheet over the whole viewport where the window does not fit in it.
// Otherwise beside the main window where there is room; else over it, as
// wide as it, with its top edge between two lines of text and as low as
// the viewport lets the window stand whole.
function place(host) {
  host.classList.remove('sheet');
  const width = host.offsetWidth;
  const height = host.offsetHeight;
  const view = document.documentElement;
  const sheet = width + 2 * MARGIN > view.clientWidth || height + 2 * MARGIN > view.clientHeight;
  host.classList.toggle('sheet', sheet);
  // The sheet hides the main window, so it is out of reach meanwhile.
  form.inert = sheet;
  if (sheet) {
    host.style.left = host.style.top = '';
    return;
  }
  const main = form.getBoundingClientRect();
  const lowest = view.clientHeight - height - MARGIN;
  const beside = [main.right + GAP, main.left - GAP - width].find(
    (x) => x >= MARGIN && x + width + MARGIN <= view.clientWidth,
  );
  const left = beside ?? within(main.left, MARGIN, view.clientWidth - width - MARGIN);
  const top = beside === undefined ? topBetweenLines(lowest) : within(main.top, MARGIN, lowest);
  host.style.left = `${left}px`;
  host.style.top = `${top}px`;
}

// The window moves with its title bar, as a desktop window does.
function makeMovable(host, bar) {
  bar.addEventListener('pointerdown', (event) => {
    if (event.target.closest('button') || host.classList.contains('sheet')) return;
    const startX = event.clientX - host.offsetLeft;
    const startY = event.clientY - host.offsetTop;
    bar.setPointerCapture(event.pointerId);
    const move = (moved) => {
      host.style.left = `${moved.clientX - startX}px`;
      host.style.top = `${Math.max(0, moved.clientY - startY)}px`;
    };
    bar.addEventListener('pointermove', move);
    bar.addEventListener('pointerup', () => bar.removeEventListener('pointermove', move), { once: true });
  });
}

function hideHelp() {
  const { host, root } = helpWindow;
  helpWindow.scrollTop = root.getElementById('List1').scrollTop;
  helpWindow.focused = root.activeElement ?? root.getElementById('Command1');
  host.hidden = true;
  form.inert = false;
  returnToMain();
}

function discardHelp() {
  helpWindow.host.remove();
  helpWindow = null;
  form.inert = false;
  returnToMain();
}

function createHelpWindow() {
  const host = document.createElement('section');
  host.id = 'Form2';
  host.className = 'help-window';
  host.setAttribute('role', 'dialog');
  const root = host.attachShadow({ mode: 'open' });
  root.adoptedStyleSheets = [sharedSheet()];
  root.append(document.getElementById('Form2-template').content.cloneNode(true));
  host.setAttribute('aria-label', root.querySelector('.title').textContent);
  makeListSelectable(root.getElementById('List1'));
  root.getElementById('Command1').addEventListener('click', hideHelp);
  root.querySelector('.close').addEventListener('click', discardHelp);
  root.addEventListener('keydown', (event) => {
    cycleFocus(event, root);
    if (event.key === 'Escape') hideHelp();
  });
  makeMovable(host, root.querySelector('.title-bar'));
  host.addEventListener('focusin', () => {
    host.style.zIndex = '2';
  });
  document.body.append(host);
  return { host, root, scrollTop: 0, focused: root.getElementById('Command1') };
}

// Shows the help window; onReturn gives the focus back to the main window
// when the help window is hidden or closed.
export function showHelp(onReturn) {
  returnToMain = onReturn;
  helpWindow ??= createHelpWindow();
  const { host, root } = helpWindow;
  host.hidden = false;
  place(host);
  root.getElementById('List1').scrollTop = helpWindow.scrollTop;
  host.style.zIndex = '2';
  helpWindow.focused.focus({ preventScroll: true });
}

export function bringMainToFront() {
  if (helpWindow) helpWindow.host.style.zIndex = '0';
}

// A turned phone or a resized window takes the help window along.
window.addEventListener('resize', () => {
  if (helpWindow && !helpWindow.host.hidden) place(helpWindow.host);
});
