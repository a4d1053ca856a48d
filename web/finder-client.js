// The searches, in a worker of their own, so that the page answers while
// one runs. One search runs at a time; a request made meanwhile waits, and
// a newer one takes its place, so that the newest is searched next and
// answers to older requests are never shown. onAnswer(answer, more): more
// is true for an answer to fewer part counts that the whole answer follows.
export function finderClient(onAnswer) {
  const worker = new Worker(new URL('./finder-worker.js', import.meta.url), { type: 'module' });
  let running = false;
  let waiting = null;
  let newest = 0;

  const send = (request) => {
    running = true;
    worker.postMessage(request);
  };
  worker.addEventListener('message', ({ data }) => {
    if (!data.more) {
      running = false;
      if (waiting) send(waiting);
      waiting = null;
    }
    if (data.id === newest) onAnswer(data.answer, data.more === true);
  });

  // fields: { name: text } as the worker's bridge reads them.
  return function search(fields) {
    const request = { id: ++newest, fields };
    if (running) {
      waiting = request;
    } else {
      send(request);
    }
  };
}
