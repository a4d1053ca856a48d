// The request in the page's address (its query string), so that a reload
// or a shared link shows the same rows and Back goes to the request before.
// The address holds each field's value under the field's id, empty fields
// left out, and the source of parts (source=series or stock). A stock
// list's text stays in the browser (stock-lists.js): the address holds
// only its name. Any field of the form with an id takes part, so that a
// field added to the form comes along without a word here.
const SOURCE = 'source';
const LEFT_OUT = new Set(['stock', 'stock-lists']);

const fieldsOf = (form) =>
  [...form.elements].filter((field) => field.id && field.type !== 'button' && field.name !== SOURCE && !LEFT_OUT.has(field.id));

// What the field holds before anyone has touched it.
function defaultValue(field) {
  if (field.tagName !== 'SELECT') return field.defaultValue;
  return ([...field.options].find((option) => option.defaultSelected) ?? field.options[0])?.value ?? '';
}

// The query string ("?mode=value&want=4k7&...") for the form as it stands.
export function addressOf(form) {
  const query = new URLSearchParams();
  for (const field of fieldsOf(form)) {
    if (field.value) query.set(field.id, field.value);
  }
  query.set(SOURCE, form.elements[SOURCE].value);
  return `?${query}`;
}

// Fills the form in from a query string; what it leaves out goes back to
// its default, and so does a value that a list does not offer.
export function showAddress(form, search) {
  const query = new URLSearchParams(search);
  for (const field of fieldsOf(form)) {
    field.value = query.get(field.id) ?? defaultValue(field);
    if (field.tagName === 'SELECT' && field.selectedIndex < 0) field.value = defaultValue(field);
  }
  const sources = [...form.elements[SOURCE]];
  const source = sources.find(({ value }) => value === query.get(SOURCE)) ?? sources.find((radio) => radio.defaultChecked);
  source.checked = true;
}
