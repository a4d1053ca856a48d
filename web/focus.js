// Tab and Shift+Tab move through one window's controls in the page's order
// and wrap around, as in a desktop window.
const CONTROLS = 'button, input, [tabindex="0"]';

export function cycleFocus(event, root) {
  if (event.key !== 'Tab') return;
  const controls = [...root.querySelectorAll(CONTROLS)];
  if (controls.length === 0) return;
  event.preventDefault();
  const current = controls.indexOf(root.activeElement ?? document.activeElement);
  const step = event.shiftKey ? -1 : 1;
  const next = current < 0 ? 0 : (current + step + controls.length) % controls.length;
  controls[next].focus();
}
