#include "engine/grid.h"

#include <charconv>
#include <cmath>
#include <string>

#include "engine/number_text.h"

namespace gosei {

double powerOfTen(int exponent) {
    // Parsing "1e<exponent>" rounds correctly, which std::pow does not promise.
    const std::string text = "1e" + std::to_string(exponent);
    double power = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), power);
    return power;
}

void writeBlock(WindowOperations& window, Block block, const CandidateList& list,
                int decadeExponent) {
    const double scale = powerOfTen(decadeExponent);
    const auto part = [scale](float value) {
        return doubleText(std::floor(double(value) * 100 + 0.5) / 100 * scale);
    };
    for (int row = 1; row <= kRowsPerBlock; ++row) {
        const Candidate& candidate = list.at(row);
        const auto errorPercent =
            static_cast<float>(std::floor(double(candidate.relError) * 1000) / 10);
        window.setCellText(block, row, Cell::PartA, part(candidate.partA));
        window.setCellText(block, row, Cell::PartB, part(candidate.partB));
        window.setCellText(block, row, Cell::Error, singleText(errorPercent));
        window.setCellText(
            block, row, Cell::Combined,
            doubleText(std::floor(double(candidate.combined) * 1000 + 0.5) / 1000 * scale));
    }
}

bool readsAsZero(std::string_view cellText) {
    // The cells hold only texts this program wrote: numbers, or nothing.
    return cellText.empty() || leadingNumber(cellText) == 0.0;
}

void cleanUpGrid(WindowOperations& window) {
    for (Block block : {Block::Parallel, Block::Series}) {
        for (int row = 1; row <= kRowsPerBlock; ++row) {
            if (!readsAsZero(window.readCellText(block, row, Cell::PartA))) continue;
            for (Cell cell : {Cell::PartA, Cell::PartB, Cell::Error, Cell::Combined}) {
                window.setCellText(block, row, cell, "");
            }
        }
    }
    // Parallel candidates always have two parts; only series parts stand alone.
    for (int row = 1; row <= kRowsPerBlock; ++row) {
        if (readsAsZero(window.readCellText(Block::Series, row, Cell::PartA))) continue;
        if (readsAsZero(window.readCellText(Block::Series, row, Cell::PartB))) {
            window.setCellText(Block::Series, row, Cell::PartB, kNotNeeded);
        }
    }
}

}  // namespace gosei
