#include "engine/grid.h"

#include <cmath>
#include <string>

#include "decimal/decimal_conversion.h"
#include "engine/number_text.h"

namespace gosei {

double powerOfTen(int exponent) {
    // Parsing "1e<exponent>" rounds correctly, which std::pow does not promise.
    const std::string text = "1e" + std::to_string(exponent);
    double power = 0.0;
    parseDecimal(text, power);
    return power;
}

namespace {

// A value rounded half up in the working decade (steps of 1 / stepsPerUnit),
// then scaled back into the typed unit.
std::string scaledText(float value, double stepsPerUnit, double scale) {
    return doubleText(std::floor(double(value) * stepsPerUnit + 0.5) / stepsPerUnit * scale);
}

// The relative error in percent, rounded down to one decimal.
std::string errorText(float relError) {
    return singleText(static_cast<float>(std::floor(double(relError) * 1000) / 10));
}

}  // namespace

void writeBlock(WindowOperations& window, Block block, const CandidateList& list,
                int decadeExponent) {
    const double scale = powerOfTen(decadeExponent);
    for (int row = 1; row <= kRowsPerBlock; ++row) {
        const Candidate& candidate = list.at(row);
        window.setCellText(block, row, Cell::PartA, scaledText(candidate.partA, 100, scale));
        window.setCellText(block, row, Cell::PartB, scaledText(candidate.partB, 100, scale));
        window.setCellText(block, row, Cell::Error, errorText(candidate.relError));
        window.setCellText(block, row, Cell::Combined, scaledText(candidate.combined, 1000, scale));
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
            for (Cell cell : kCellsInRowOrder) {
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
