#pragma once

#include <array>
#include <string>
#include <string_view>

namespace gosei {

// The two blocks of the result grid and the four cells of each row.
enum class Block { Parallel, Series };
enum class Cell { PartA, PartB, Error, Combined };

inline constexpr int kRowsPerBlock = 3;

// The cells of a row in the order the grid is written and read.
inline constexpr std::array<Cell, 4> kCellsInRowOrder{Cell::PartA, Cell::PartB, Cell::Error,
                                                      Cell::Combined};

// What the user calls the blocks and columns.
constexpr std::string_view blockTitle(Block block) {
    return block == Block::Parallel ? "並列条件" : "直列条件";
}
constexpr std::string_view cellTitle(Cell cell) {
    switch (cell) {
        case Cell::PartA:
            return "抵抗１";
        case Cell::PartB:
            return "抵抗２";
        case Cell::Combined:
            return "合成値";
        case Cell::Error:
            return "誤差";
    }
    return "";
}

// Everything the engine needs from the windows. Each operation is synchronous
// and cannot fail; the messages return once the user has dismissed them.
class WindowOperations {
  public:
    virtual ~WindowOperations() = default;

    virtual std::string readTargetText() = 0;
    virtual std::string readToleranceText() = 0;
    // row is 1 to 3.
    virtual void setCellText(Block block, int row, Cell cell, std::string_view text) = 0;
    virtual std::string readCellText(Block block, int row, Cell cell) = 0;
    virtual void showToleranceMessage() = 0;  // "誤差条件が甘すぎます"
    virtual void showTargetMessage() = 0;     // "正の数値を入力して下さい"
    virtual void showRangeMessage() = 0;      // a positive number out of range
    virtual void clearToleranceText() = 0;
};

inline constexpr std::string_view kToleranceMessage = "誤差条件が甘すぎます";
inline constexpr std::string_view kTargetMessage = "正の数値を入力して下さい";

// The wanted values a calculation accepts: the single-precision range, cut
// where its precision thins out. Below 1E-38 a value keeps fewer and fewer
// significant bits (1E-45 would be computed as 1.4E-45).
inline constexpr double kSmallestTarget = 1e-38;
inline constexpr double kLargestTarget = 3.4e38;
inline constexpr std::string_view kRangeMessage =
    "範囲外の数値です（1E-38 から 3.4E+38 までの数値を入力して下さい）";

}  // namespace gosei
