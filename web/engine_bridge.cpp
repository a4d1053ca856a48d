// The engine for the page. The page's message dialogs are not synchronous,
// so a calculation runs against an in-memory window seeded with what the
// page shows and notes the message it asked for; the page shows that
// message and applies the boxes and cells only once the user has pressed
// OK. The engine writes the grid only after its message, so this keeps the
// desktop's order.

#include <array>
#include <string>

#include "engine/calculation.h"
#include "engine/memory_window.h"
#include "web/cell_slots.h"
#include "web/page_messages.h"

namespace {

using gosei::web::kCellCount;
using gosei::web::kCellSlots;

// Texts the page writes before a calculation and reads after it: the cells
// by their numbers (web/cell_slots.h), then the series name and the two
// boxes.
constexpr int kSeriesSlot = kCellCount;
constexpr int kTargetSlot = kCellCount + 1;
constexpr int kToleranceSlot = kCellCount + 2;

std::array<std::string, kCellCount + 3> slots;
std::string answer;

std::string& slot(int number) {
    return slots[static_cast<std::size_t>(number)];
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

int gosei_cell_count() {
    return kCellCount;
}

// A buffer of the given size for the page to write a slot's UTF-8 text into.
char* gosei_slot_buffer(int number, int bytes) {
    slot(number).assign(static_cast<std::size_t>(bytes), '\0');
    return slot(number).data();
}

const char* gosei_slot_text(int number) {
    return slot(number).c_str();
}

int gosei_slot_length(int number) {
    return static_cast<int>(slot(number).size());
}

// Runs one calculation on the slots, leaving the boxes and cells as the
// calculation left them, and returns the id of the message dialog to show
// first ("" for none).
const char* gosei_calculate() {
    const auto series = gosei::seriesFromName(slot(kSeriesSlot));
    if (!series) return "";
    gosei::MemoryWindow window;
    window.targetText = slot(kTargetSlot);
    window.toleranceText = slot(kToleranceSlot);
    for (int i = 0; i < kCellCount; ++i) {
        const auto& place = kCellSlots[static_cast<std::size_t>(i)];
        window.setCellText(place.block, place.row, place.cell, slot(i));
    }
    gosei::runCalculation(*series, window);
    slot(kToleranceSlot) = window.toleranceText;
    for (int i = 0; i < kCellCount; ++i) {
        const auto& place = kCellSlots[static_cast<std::size_t>(i)];
        slot(i) = window.cell(place.block, place.row, place.cell);
    }
    answer = messageDialog(window);
    return answer.c_str();
}
}
