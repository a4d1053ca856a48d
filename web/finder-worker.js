// The finder's worker: the network search compiled to WebAssembly
// (web/finder_bridge.cpp), which keeps the tables of the last parts between
// requests. Answers each { id, request } with { id, answer }; before that,
// where four parts of many take a while, with { id, answer, more: true }
// for the part counts below four, which come at once. The page may
// terminate it in the middle of a search (web/finder-client.js).
import createFinderCore from './finder-core.js';

const core = createFinderCore();
const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The request goes whole, as a query string, into the module's buffer.
function setRequest(finder, request) {
  const bytes = encoder.encode(request);
  // The buffer first: making it may grow the memory, and with it HEAPU8.
  const buffer = finder._gosei_finder_buffer(bytes.length);
  finder.HEAPU8.set(bytes, buffer);
}

// The answer, or null where the first search has nothing to say.
function search(finder, first) {
  const address = finder._gosei_finder_search(first ? 1 : 0);
  const length = finder._gosei_finder_answer_length();
  return length > 0 ? JSON.parse(decoder.decode(finder.HEAPU8.subarray(address, address + length))) : null;
}

// A search that fails (the module not loaded, out of memory) answers with
// what went wrong, and says that this worker is spent: after an abort its
// module answers nothing more.
self.addEventListener('message', async ({ data: { id, request } }) => {
  try {
    const finder = await core;
    setRequest(finder, request);
    const first = search(finder, true);
    if (first) self.postMessage({ id, answer: first, more: true });
    self.postMessage({ id, answer: search(finder, false) });
  } catch (error) {
    self.postMessage({ id, answer: { problem: { message: String(error) } }, failed: true });
  }
});
