// The engine, compiled to WebAssembly, behind one call: a calculation on
// the texts the page shows.
import createEngineCore from './engine-core.js';

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
  // The cells' slots are their numbers in the page (data-cell); the series
  // and the two boxes follow them.
  const cellCount = core._gosei_cell_count();
  const [seriesSlot, targetSlot, toleranceSlot] = [0, 1, 2].map((i) => cellCount + i);
  return {
    // cells: the texts of the cells by their numbers. Returns the id of the
    // message dialog to show first ('' for none), and the tolerance text
    // and cells as they are to stand once the message is dismissed.
    calculate(series, target, tolerance, cells) {
      writeSlot(core, seriesSlot, series);
      writeSlot(core, targetSlot, target);
      writeSlot(core, toleranceSlot, tolerance);
      cells.forEach((text, i) => writeSlot(core, i, text));
      const message = core.UTF8ToString(core._gosei_calculate());
      return {
        message,
        tolerance: readSlot(core, toleranceSlot),
        cells: Array.from({ length: cellCount }, (_, i) => readSlot(core, i)),
      };
    },
  };
}
