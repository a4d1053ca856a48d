// The engine for the page. The page's message dialogs are not synchronous,
// so a calculation runs against an in-memory window seeded with what the
// page shows and notes the message it asked for; the page shows that
// message and applies the boxes and cells only once the user has pressed
// OK. The engine writes the grid only after its message, so this keeps the
// desktop's order.

#include <array>
#include <string>

#include "cli/cli_commands.h"
#include "engine/calculation.h"
#include "engine/memory_window.h"
#include "web/page_messages.h"

namespace {

// Texts the page writes before a calculation and reads after it: the
// series name, the two boxes, then the 24 cells in the order of
// MemoryWindow::cells().
constexpr int kSeriesSlot = 0;
constexpr int kTargetSlot = 1;
constexpr int kToleranceSlot = 2;
constexpr int kFirstCellSlot = 3;
constexpr int kSlotCount = kFirstCellSlot + gosei::MemoryWindow::kCellCount;

std::array<std::string, kSlotCount> slots;
std::string answer;

struct CellPlace {
    gosei::Block block;
    int row;
    gosei::Cell cell;
};

// Where the cell at an index of MemoryWindow::cells() stands.
CellPlace cellPlace(int index) {
    constexpr int kPerBlock = gosei::kRowsPerBlock * 4;
    return {index < kPerBlock ? gosei::Block::Parallel : gosei::Block::Series,
            index % kPerBlock / 4 + 1,
            gosei::kCellsInRowOrder[static_cast<std::size_t>(index % 4)]};
}

// The dialog for the message a calculation asked for, or none.
std::string_view messageDialog(const gosei::MemoryWindow& window) {
    if (window.toleranceMessages > 0) return gosei::web::kToleranceDialog.id;
    if (window.targetMessages > 0) return gosei::web::kTargetDialog.id;
    if (window.rangeMessages > 0) return gosei::web::kRangeDialog.id;
    return "";
}

}  // namespace

extern "C" {

// A buffer of the given size for the page to write a slot's UTF-8 text into.
char* gosei_slot_buffer(int slot, int bytes) {
    slots[static_cast<std::size_t>(slot)].assign(static_cast<std::size_t>(bytes), '\0');
    return slots[static_cast<std::size_t>(slot)].data();
}

const char* gosei_slot_text(int slot) {
    return slots[static_cast<std::size_t>(slot)].c_str();
}

int gosei_slot_length(int slot) {
    return static_cast<int>(slots[static_cast<std::size_t>(slot)].size());
}

// Runs one calculation on the slots, leaving the boxes and cells as the
// calculation left them, and returns the id of the message dialog to show
// first ("" for none).
const char* gosei_calculate() {
    const auto series = gosei::seriesFromName(slots[kSeriesSlot]);
    if (!series) return "";
    gosei::MemoryWindow window;
    window.targetText = slots[kTargetSlot];
    window.toleranceText = slots[kToleranceSlot];
    for (int i = 0; i < gosei::MemoryWindow::kCellCount; ++i) {
        const CellPlace place = cellPlace(i);
        window.setCellText(place.block, place.row, place.cell,
                           slots[static_cast<std::size_t>(kFirstCellSlot + i)]);
    }
    gosei::runCalculation(*series, window);
    slots[kToleranceSlot] = window.toleranceText;
    for (int i = 0; i < gosei::MemoryWindow::kCellCount; ++i) {
        slots[static_cast<std::size_t>(kFirstCellSlot + i)] =
            window.cells()[static_cast<std::size_t>(i)];
    }
    answer = messageDialog(window);
    return answer.c_str();
}

// One line of gosei-cli --batch, read from the target slot.
const char* gosei_batch_line() {
    answer = gosei::cli::batchLine(slots[kTargetSlot]);
    return answer.c_str();
}
}
