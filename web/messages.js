// The message boxes: modal dialogs with one OK button. The promise settles
// when the dialog has closed, by OK, Enter on OK, or Escape.
export function showMessage(id) {
  const dialog = document.getElementById(id);
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => resolve(), { once: true });
    dialog.showModal();
    dialog.querySelector('button').focus();
  });
}
