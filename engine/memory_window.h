#pragma once

#include <array>
#include <string>

#include "engine/window_operations.h"

namespace gosei {

// The window operations against an in-memory grid, for the command line and
// for tests. The messages are only counted.
class MemoryWindow : public WindowOperations {
  public:
    static constexpr int kCellCount = 2 * kRowsPerBlock * 4;

    std::string targetText;
    std::string toleranceText;
    int toleranceMessages = 0;
    int targetMessages = 0;
    int rangeMessages = 0;

    std::string readTargetText() override { return targetText; }
    std::string readToleranceText() override { return toleranceText; }
    void setCellText(Block block, int row, Cell cell, std::string_view text) override {
        m_cells[index(block, row, cell)] = text;
    }
    std::string readCellText(Block block, int row, Cell cell) override {
        return m_cells[index(block, row, cell)];
    }
    void showToleranceMessage() override { ++toleranceMessages; }
    void showTargetMessage() override { ++targetMessages; }
    void showRangeMessage() override { ++rangeMessages; }
    void clearToleranceText() override { toleranceText.clear(); }

    const std::string& cell(Block block, int row, Cell cell) const {
        return m_cells[index(block, row, cell)];
    }
    // Parallel rows 1 to 3, then series rows 1 to 3; each row partA, partB,
    // error, combined.
    const std::array<std::string, kCellCount>& cells() const { return m_cells; }

  private:
    static std::size_t index(Block block, int row, Cell cell) {
        const int blockOffset = block == Block::Parallel ? 0 : kRowsPerBlock * 4;
        return static_cast<std::size_t>(blockOffset + (row - 1) * 4 + static_cast<int>(cell));
    }

    std::array<std::string, kCellCount> m_cells;
};

}  // namespace gosei
