// The help window: a second window inside the page, made from its template
// on first use. 戻る hides it, keeping its scroll position and selection;
// ＨＥＬＰ shows the same window again; its close control discards it, so
// that the next ＨＥＬＰ makes a fresh one, scrolled to the top.
import { cycleFocus } from './focus.js';

let helpWindow = null;

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

function createHelpWindow(onBack) {
  const host = document.createElement('section');
  host.id = 'Form2';
  host.className = 'window help-window';
  host.setAttribute('role', 'dialog');
  const root = host.attachShadow({ mode: 'open' });
  root.append(document.getElementById('Form2-template').content.cloneNode(true));
  host.setAttribute('aria-label', root.querySelector('.title').textContent);
  makeListSelectable(root.getElementById('List1'));
  root.getElementById('Command1').addEventListener('click', onBack);
  root.querySelector('.close').addEventListener('click', () => {
    host.remove();
    helpWindow = null;
  });
  root.addEventListener('keydown', (event) => cycleFocus(event, root));
  document.body.append(host);
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
  helpWindow.focused.focus();
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
