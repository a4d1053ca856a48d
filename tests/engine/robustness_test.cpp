// Generated hostile texts through the conversion and whole calculations:
// nothing may hang, crash or leave the grid in a state a calculation cannot
// produce. Run under the sanitizers in CI.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/grid.h"
#include "engine/memory_window.h"
#include "engine/number_text.h"

namespace gosei {
namespace {

class TextGenerator {
  public:
    explicit TextGenerator(unsigned seed) : m_random(seed) {}

    std::string next() {
        switch (pick(8)) {
            case 0:
                return fromPieces(pick(12));
            case 1:
                return fromPieces(pick(400));
            case 2:
                return binary(pick(64));
            case 3:
                return std::string(1 + pick(20000), "0123456789"[pick(10)]);
            case 4:
                return pieceOf(kSigns) + pieceOf(kSigns) + pieceOf(kSigns);
            case 5:
                return "1e" + std::string(pick(2) ? "-" : "") + std::string(1 + pick(30), '9');
            case 6:
                return "0." + std::string(pick(2000), '0') + "1e" + std::to_string(pick(2400));
            default:
                return std::to_string(std::ldexp(uniform(), int(pick(300)) - 150));
        }
    }

  private:
    static inline const std::vector<std::string> kPieces = {"0",      "1",
                                                            "2",      "5",
                                                            "9",      ".",
                                                            "e",      "E",
                                                            "+",      "-",
                                                            " ",      "\t",
                                                            "\u3000", "０",
                                                            "９",     "．",
                                                            "＋",     "－",
                                                            "\u2212", "k",
                                                            "Ω",      "x",
                                                            "ｅ",     "\xEF\xBC",
                                                            "\xFF",   std::string(1, '\0')};
    static inline const std::vector<std::string> kSigns = {"+",      "-", "＋", "－",
                                                           "\u2212", ".", "．"};

    std::size_t pick(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_random);
    }
    double uniform() { return std::uniform_real_distribution<double>(0.0, 10.0)(m_random); }
    std::string pieceOf(const std::vector<std::string>& pieces) {
        return pieces[pick(pieces.size())];
    }

    std::string fromPieces(std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += pieceOf(kPieces);
        return text;
    }
    std::string binary(std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += static_cast<char>(pick(256));
        return text;
    }

    std::mt19937 m_random;
};

bool isCellText(const std::string& text) {
    return text.empty() || text == kNotNeeded || std::isfinite(leadingNumber(text));
}

TEST(Robustness, ConversionNeverYieldsNaN) {
    TextGenerator generator(20261208);
    for (int i = 0; i < 5000; ++i) {
        const std::string text = generator.next();
        EXPECT_FALSE(std::isnan(leadingNumber(text))) << text.substr(0, 80);
    }
}

TEST(Robustness, CalculationsOnGeneratedTextsEndInAKnownState) {
    TextGenerator generator(7);
    const Series all[] = {Series::E3, Series::E6, Series::E12, Series::E24};
    for (int i = 0; i < 3000; ++i) {
        MemoryWindow window;
        window.targetText = generator.next();
        window.toleranceText = i % 3 == 0 ? "" : generator.next();
        const InputOutcome outcome = runCalculation(all[i % 4], window);
        const bool wrote =
            outcome == InputOutcome::GoOn || outcome == InputOutcome::GoOnWithToleranceCleared;
        for (const std::string& cell : window.cells()) {
            if (wrote) {
                EXPECT_TRUE(isCellText(cell)) << cell;
            } else {
                EXPECT_EQ(cell, "");
            }
        }
        if (wrote) {
            EXPECT_NE(window.cell(Block::Series, 1, Cell::PartA), "");
        }
    }
}

}  // namespace
}  // namespace gosei
