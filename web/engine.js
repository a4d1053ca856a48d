// The engine, compiled to WebAssembly, behind two calls: one calculation on
// the texts the page shows, and one line of the command line's batch mode.
import createEngineCore from './engine-core.js';

const SERIES_SLOT = 0;
const TARGET_SLOT = 1;
const TOLERANCE_SLOT = 2;
const FIRST_CELL_SLOT = 3;
const CELL_COUNT = 24;

const encoder = new TextEncoder();
const decoder = new TextDecoder();

function writeSlot(core, slot, text) {
  const bytes = encoder.encode(text);
  const address = core._gosei_slot_buffer(slot, bytes.length);
  core.HEAPU8.set(bytes, address);
}

function readSlot(core, slot) {
  const address = core._gosei_slot_text(slot);
  return decoder.decode(core.HEAPU8.subarray(address, address + core._gosei_slot_length(slot)));
}

export async function loadEngine() {
  const core = await createEngineCore();
  return {
    // cells: the 24 texts, parallel rows 1 to 3 then series rows 1 to 3,
    // each row partA, partB, error, combined. Returns the id of the message
    // dialog to show first ('' for none), and the tolerance text and cells
    // as they are to stand once the message is dismissed.
    calculate(series, target, tolerance, cells) {
      writeSlot(core, SERIES_SLOT, series);
      writeSlot(core, TARGET_SLOT, target);
      writeSlot(core, TOLERANCE_SLOT, tolerance);
      cells.forEach((text, i) => writeSlot(core, FIRST_CELL_SLOT + i, text));
      const message = core.UTF8ToString(core._gosei_calculate());
      return {
        message,
        tolerance: readSlot(core, TOLERANCE_SLOT),
        cells: Array.from({ length: CELL_COUNT }, (_, i) => readSlot(core, FIRST_CELL_SLOT + i)),
      };
    },
    // "SERIES<TAB>VALUE<TAB>TOLERANCE" answered as gosei-cli --batch does.
    batchLine(line) {
      writeSlot(core, TARGET_SLOT, line);
      return core.UTF8ToString(core._gosei_batch_line());
    },
  };
}
