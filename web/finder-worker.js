// The finder's worker: the network search compiled to WebAssembly
// (web/finder_bridge.cpp), which keeps the tables of the last parts between
// requests. Answers each { id, fields } with { id, answer }.
import createFinderCore from './finder-core.js';

const core = createFinderCore();
const encoder = new TextEncoder();
const decoder = new TextDecoder();

function search(finder, fields) {
  for (const [name, text] of Object.entries(fields)) {
    const bytes = encoder.encode(`${name}=${text}`);
    // The buffer first: making it may grow the memory, and with it HEAPU8.
    const buffer = finder._gosei_finder_buffer(bytes.length);
    finder.HEAPU8.set(bytes, buffer);
    finder._gosei_finder_set();
  }
  const address = finder._gosei_finder_search();
  return JSON.parse(decoder.decode(finder.HEAPU8.subarray(address, address + finder._gosei_finder_answer_length())));
}

// A search that fails (out of memory) answers with what went wrong.
self.addEventListener('message', async ({ data: { id, fields } }) => {
  let answer;
  try {
    answer = search(await core, fields);
  } catch (error) {
    answer = { problem: String(error) };
  }
  self.postMessage({ id, answer });
});
