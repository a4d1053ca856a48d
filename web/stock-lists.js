// Stock lists kept in the browser: the list being edited comes back at the
// next visit, and lists saved under their names can be chosen again. A
// browser that keeps nothing (storage off or full) simply forgets.
const EDITED = 'gosei-finder-stock';
const SAVED = 'gosei-finder-stock-lists';

function read(key, fallback) {
  try {
    return JSON.parse(localStorage.getItem(key)) ?? fallback;
  } catch {
    return fallback;
  }
}

function write(key, value) {
  try {
    localStorage.setItem(key, JSON.stringify(value));
  } catch {
    // Nothing kept; the page works on.
  }
}

// The fields: name, text (the list's values), choice (a select of the
// saved lists), save and remove (buttons), and source (the radio buttons
// that choose between a series and the list, as a RadioNodeList), which
// comes back with the list. Returns show(listName), which puts a saved
// list into the fields, where there is one of that name.
export function keepStockLists({ name, text, choice, save, remove, source }) {
  const showSaved = () => {
    const saved = read(SAVED, {});
    const options = Object.keys(saved)
      .sort()
      .map((listName) => new Option(listName, listName, false, listName === name.value));
    choice.replaceChildren(choice.options[0], ...options);
  };
  const keepEdited = () => write(EDITED, { name: name.value, text: text.value, source: source.value });
  const show = (listName) => {
    const saved = read(SAVED, {});
    if (!Object.hasOwn(saved, listName)) return;
    name.value = listName;
    text.value = saved[listName];
    keepEdited();
  };

  const edited = read(EDITED, { name: '', text: '' });
  name.value = edited.name;
  text.value = edited.text;
  if (edited.source) source.value = edited.source;
  showSaved();

  name.addEventListener('input', keepEdited);
  text.addEventListener('input', keepEdited);
  for (const radio of source) radio.addEventListener('change', keepEdited);
  // On 'input', ahead of the form's listeners, which search with the list.
  choice.addEventListener('input', () => {
    if (choice.value) show(choice.value);
  });
  save.addEventListener('click', () => {
    write(SAVED, { ...read(SAVED, {}), [name.value || name.placeholder]: text.value });
    showSaved();
  });
  remove.addEventListener('click', () => {
    const saved = read(SAVED, {});
    delete saved[name.value || name.placeholder];
    write(SAVED, saved);
    showSaved();
  });
  return show;
}
