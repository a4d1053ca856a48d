#pragma once

#include <array>
#include <cstddef>

#include "engine/window_operations.h"

namespace gosei::web {

// The page numbers the 24 result cells as gosei-cli --batch lists them:
// parallel rows 1 to 3, then series rows 1 to 3, each row partA, partB,
// error, combined. The engine bridge exchanges the cells' texts in this
// order and the page generator writes each cell's number into the page.
struct CellPlace {
    Block block;
    int row;  // 1 to 3
    Cell cell;
};

inline constexpr int kCellCount = 2 * kRowsPerBlock * static_cast<int>(kCellsInRowOrder.size());

inline constexpr std::array<CellPlace, kCellCount> kCellSlots = [] {
    std::array<CellPlace, kCellCount> slots{};
    std::size_t slot = 0;
    for (Block block : {Block::Parallel, Block::Series}) {
        for (int row = 1; row <= kRowsPerBlock; ++row) {
            for (Cell cell : kCellsInRowOrder)
                slots[slot++] = {block, row, cell};
        }
    }
    return slots;
}();

// The number of the cell at a place, or -1 for a place that is no cell.
constexpr int cellSlot(Block block, int row, Cell cell) {
    for (std::size_t slot = 0; slot < kCellSlots.size(); ++slot) {
        const CellPlace& place = kCellSlots[slot];
        if (place.block == block && place.row == row && place.cell == cell)
            return static_cast<int>(slot);
    }
    return -1;
}

}  // namespace gosei::web
