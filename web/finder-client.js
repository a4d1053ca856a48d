// The searches, in a worker of their own, so that the page answers while
// one runs. Only the newest request is answered. A request made while a
// search runs ends that search at once: its worker is terminated and a
// fresh one takes the request. The fresh worker builds its tables again (a
// few tenths of a second for the longest series), where a stale search of
// many parts could go on for minutes. An idle worker is kept, and with it
// the tables of its last parts.
//
// onAnswer(answer, more): more is true for an answer to fewer part counts
// that the whole answer follows. A worker that fails answers the newest
// request with { problem: { message } } and is replaced at the next request.
import { SEARCH_FAILED } from './finder-words.js';

export function finderClient(onAnswer) {
  let worker = null;
  // Whether the worker is searching: from a request until its whole answer.
  let running = false;
  let newest = 0;

  const stop = () => {
    worker?.terminate();
    worker = null;
    running = false;
  };

  const start = () => {
    const started = new Worker(new URL('./finder-worker.js', import.meta.url), { type: 'module' });
    // A terminated worker's last messages may still arrive.
    const current = () => started === worker;
    started.addEventListener('message', ({ data }) => {
      if (!current()) return;
      if (!data.more) running = false;
      if (data.failed) stop();
      if (data.id === newest) onAnswer(data.answer, data.more === true);
    });
    // Its script did not load, or it died outside a search's own error
    // handling: nothing more will come from it.
    started.addEventListener('error', (event) => {
      event.preventDefault();
      if (!current()) return;
      const wasRunning = running;
      stop();
      if (wasRunning) onAnswer({ problem: { message: SEARCH_FAILED } }, false);
    });
    return started;
  };

  // request: the query string the worker's module reads.
  return function search(request) {
    if (running) stop();
    worker ??= start();
    running = true;
    worker.postMessage({ id: ++newest, request });
  };
}
