// The help window: a second window inside the page, made from its template
// on first use. 戻る hides it, keeping its scroll position and selection;
// ＨＥＬＰ shows the same window again; its close control discards it, so
// that the next ＨＥＬＰ makes a fresh one, scrolled to the top.
import { cycleFocus } from './focus.js';

let helpWindow = null;
let pageSheet = null;

// The page's own style sheet, shared with the window's shadow tree so that
// the window is styled from its first frame.
function sharedSheet() {
  if (!pageSheet) {
    const loaded = [...document.styleSheets].find((sheet) => sheet.href?.endsWith('page.css'));
    pageSheet = new CSSStyleSheet();
    pageSheet.replaceSync([...loaded.cssRules].map((rule) => rule.cssText).join('\n'));
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

// Opens beside the main window where the page is wide enough, else over it
// below its title; scaled down as a whole where the page is narrower.
function place(host) {
  const main = document.getElementById('Form1').getBoundingClientRect();
  const pageWidth = document.documentElement.clientWidth;
  const scale = Math.min(1, (pageWidth - 8) / host.offsetWidth);
  host.style.transform = scale < 1 ? `scale(${scale})` : '';
  const width = host.offsetWidth * scale;
  const right = main.right + 16 + width <= pageWidth;
  const leftSide = main.left - 16 - width >= 0;
  const beside = right || leftSide;
  let left = Math.min(main.left + 40, pageWidth - width - 4);
  if (right) left = main.right + 16;
  else if (leftSide) left = main.left - 16 - width;
  const top = beside ? main.top : main.top + 96 * (main.width / 584);
  host.style.left = `${Math.max(4, left) + window.scrollX}px`;
  host.style.top = `${top + window.scrollY}px`;
}

// The window moves with its title bar, as a desktop window does.
function makeMovable(host, bar) {
  bar.addEventListener('pointerdown', (event) => {
    if (event.target.closest('button')) return;
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

function createHelpWindow(onBack) {
  const host = document.createElement('section');
  host.id = 'Form2';
  host.className = 'window help-window';
  host.setAttribute('role', 'dialog');
  const root = host.attachShadow({ mode: 'open' });
  if ('adoptedStyleSheets' in ShadowRoot.prototype) {
    root.adoptedStyleSheets = [sharedSheet()];
  } else {
    const link = document.createElement('link');
    link.rel = 'stylesheet';
    link.href = 'page.css';
    root.append(link);
  }
  root.append(document.getElementById('Form2-template').content.cloneNode(true));
  host.setAttribute('aria-label', root.querySelector('.title').textContent);
  makeListSelectable(root.getElementById('List1'));
  root.getElementById('Command1').addEventListener('click', onBack);
  root.querySelector('.close').addEventListener('click', () => {
    host.remove();
    helpWindow = null;
  });
  root.addEventListener('keydown', (event) => cycleFocus(event, root));
  makeMovable(host, root.querySelector('.title-bar'));
  host.addEventListener('focusin', () => {
    host.style.zIndex = '2';
  });
  document.body.append(host);
  place(host);
  return { host, root, scrollTop: 0, focused: root.getElementById('Command1') };
}

export function showHelp(onBack) {
  helpWindow ??= createHelpWindow(() => {
    hideHelp();
    onBack();
  });
  const { host, root } = helpWindow;
  host.hidden = false;
  root.getElementById('List1').scrollTop = helpWindow.scrollTop;
  host.style.zIndex = '2';
  helpWindow.focused.focus({ preventScroll: true });
}

export function bringMainToFront() {
  if (helpWindow) helpWindow.host.style.zIndex = '0';
}

function hideHelp() {
  const { host, root } = helpWindow;
  helpWindow.scrollTop = root.getElementById('List1').scrollTop;
  helpWindow.focused = root.activeElement ?? root.getElementById('Command1');
  host.hidden = true;
}
