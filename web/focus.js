// Tab and Shift+Tab move through one window's controls in the page's order.
// The help window wraps around, as a desktop dialog does. The main window
// does not: from its last control the focus goes on to the page around it
// (the header with the way to the finder) and on around to the window
// again, and Shift+Tab back, so that a keyboard is never held in it.
const CONTROLS = 'button, input, [tabindex="0"]';

export function cycleFocus(event, root, { wrap = true } = {}) {
  if (event.key !== 'Tab') return;
  const controls = [...root.querySelectorAll(CONTROLS)];
  if (controls.length === 0) return;
  const current = controls.indexOf(root.activeElement ?? document.activeElement);
  const next = current < 0 ? 0 : current + (event.shiftKey ? -1 : 1);
  // Past an end the browser moves the focus on.
  if (!wrap && (next < 0 || next >= controls.length)) return;
  event.preventDefault();
  controls[(next + controls.length) % controls.length].focus();
}
