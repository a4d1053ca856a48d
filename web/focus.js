// Tab and Shift+Tab move through one window's controls in their tab order
// (the tabindex the page carries) and wrap around, as in a desktop window.
export function cycleFocus(event, root) {
  if (event.key !== 'Tab') return;
  const controls = [...root.querySelectorAll('[tabindex]')]
    .filter((control) => control.tabIndex > 0)
    .sort((a, b) => a.tabIndex - b.tabIndex);
  if (controls.length === 0) return;
  event.preventDefault();
  const current = controls.indexOf(root.activeElement ?? document.activeElement);
  const step = event.shiftKey ? -1 : 1;
  const next = current < 0 ? 0 : (current + step + controls.length) % controls.length;
  controls[next].focus();
}
