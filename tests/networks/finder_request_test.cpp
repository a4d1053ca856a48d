#include "networks/finder_request.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/case_name.h"

namespace gosei::networks {
namespace {

FinderOptions stockRequest(std::string stock) {
    FinderOptions options;
    options.wanted = "5k";
    options.stock = std::move(stock);
    return options;
}

// Rows of a value add up; a value held fewer times than four parts of a
// network is scarce; one held none of, or excluded, is not a part at all.
TEST(FinderRequest, TakesAListsQuantitiesAsScarceParts) {
    FinderOptions options = stockRequest(
        "Reference,Value,Qty\n"
        "R1,4.7k,1\nR2,4k7,2\nR3,100,2\nR4,100,2\nR5,1k,0\nR6,2.2k,1\nR7,10k,1000000\n");
    options.exclude = "2k2";
    const auto setup = setUpFinder(options);
    ASSERT_TRUE(std::holds_alternative<FinderSetup>(setup)) << std::get<FinderProblem>(setup).text;
    const FinderSetup& found = std::get<FinderSetup>(setup);
    EXPECT_TRUE(found.countedStock);
    EXPECT_EQ(found.parts, (std::vector<double>{100, 4700, 10e3}));
    std::vector<std::pair<double, int>> scarce;
    for (const ScarcePart& part : found.list().scarceParts)
        scarce.emplace_back(part.value, part.count);
    EXPECT_EQ(scarce, (std::vector<std::pair<double, int>>{{4700, 3}}));
}

TEST(FinderRequest, LimitsNothingWithoutAQuantityColumn) {
    FinderOptions options = stockRequest("Value\n1k\n1k\n2k2\n");
    options.mode = FinderMode::Divider;
    options.wanted = "0.5";
    const auto setup = setUpFinder(options);
    ASSERT_TRUE(std::holds_alternative<FinderSetup>(setup)) << std::get<FinderProblem>(setup).text;
    EXPECT_FALSE(std::get<FinderSetup>(setup).countedStock);
    EXPECT_TRUE(std::get<FinderSetup>(setup).list().scarceParts.empty());
    EXPECT_EQ(std::get<FinderSetup>(setup).parts, (std::vector<double>{1000, 2200}));
}

struct ColumnCase {
    const char* name;
    std::string stock;
    std::string column;
    std::string problem;  // empty where the request is understood
};

class ColumnTest : public testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnTest, ReadsTheColumnAsked) {
    FinderOptions options = stockRequest(GetParam().stock);
    options.column = GetParam().column;
    const auto setup = setUpFinder(options);
    const FinderProblem* problem = std::get_if<FinderProblem>(&setup);
    EXPECT_EQ(problem ? problem->text : "", GetParam().problem);
    if (!problem) {
        EXPECT_EQ(std::get<FinderSetup>(setup).parts, std::vector<double>{4700});
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, ColumnTest,
                         testing::Values(ColumnCase{"ByName", "Part,Ohms\nR1,4k7\n", "ohms", ""},
                                         ColumnCase{"ByNumber", "R1\t4k7\n", "2", ""},
                                         ColumnCase{"NumberZero", "R1\t4k7\n", "0",
                                                    "--column \"0\": columns are counted from 1"},
                                         ColumnCase{
                                             "Empty", "R1\t4k7\n", "",
                                             "--column \"\" is not a column's name or number"}),
                         CaseName());

// A list pasted into the window has no name of its own.
TEST(FinderRequest, NamesAListWithoutANameOnce) {
    const auto setup = setUpFinder(stockRequest("1k\nten\n"));
    EXPECT_EQ(std::get<FinderProblem>(setup).text, "stock list: line 2: \"ten\" is not a value");
}

// ---- Kinds of part ----------------------------------------------------------

struct KindCase {
    const char* name;
    FinderOptions options;
    PartKind kind;  // where the request is understood
    double wanted;
    FinderField atFault;  // where it is refused (ProblemKind::Missing: understood)
    ProblemKind problem = ProblemKind::Missing;
    std::string says = {};  // of the command line's words
};

FinderOptions kindRequest(std::string wanted, std::optional<std::string> kind = std::nullopt) {
    FinderOptions options;
    options.wanted = std::move(wanted);
    options.kind = std::move(kind);
    return options;
}

FinderOptions divider(FinderOptions options) {
    options.mode = FinderMode::Divider;
    return options;
}

FinderOptions with(FinderOptions options, std::optional<std::string> FinderOptions::*member,
                   std::string text) {
    options.*member = std::move(text);
    return options;
}

constexpr auto R = PartKind::Resistor;
constexpr auto C = PartKind::Capacitor;
constexpr auto L = PartKind::Inductor;
constexpr auto Understood = FinderField::Wanted;

class KindTest : public testing::TestWithParam<KindCase> {};

// The kind comes from --kind or the unit written with the value, and brings
// its series, range and usual tolerance; a unit of another kind anywhere
// is refused at its field.
TEST_P(KindTest, TakesTheKindFromTheOptionOrTheUnit) {
    const KindCase& c = GetParam();
    const auto setup = setUpFinder(c.options);
    if (c.problem != ProblemKind::Missing) {
        ASSERT_TRUE(std::holds_alternative<FinderProblem>(setup));
        EXPECT_EQ(std::get<FinderProblem>(setup).field, c.atFault)
            << std::get<FinderProblem>(setup).text;
        EXPECT_EQ(std::get<FinderProblem>(setup).kind, c.problem)
            << std::get<FinderProblem>(setup).text;
        EXPECT_NE(std::get<FinderProblem>(setup).text.find(c.says), std::string::npos)
            << std::get<FinderProblem>(setup).text;
        return;
    }
    ASSERT_TRUE(std::holds_alternative<FinderSetup>(setup)) << std::get<FinderProblem>(setup).text;
    const FinderSetup& found = std::get<FinderSetup>(setup);
    EXPECT_EQ(found.kind, c.kind);
    EXPECT_EQ(found.find.kind, c.kind);
    EXPECT_EQ(found.find.wanted, c.wanted);
    if (!c.options.series && !c.options.stock) {
        EXPECT_EQ(found.series, c.kind == R ? ESeries::E24 : ESeries::E12);
        EXPECT_EQ(found.partsDescription, c.kind == R   ? "E24 1..10M"
                                          : c.kind == C ? "E12 1p..10m"
                                                        : "E12 1n..1");
        EXPECT_EQ(found.list().partTolerancePercent, c.kind == R ? 5 : 10);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KindTest,
    testing::Values(
        KindCase{"Ohms", kindRequest("4.7kΩ"), R, 4700, Understood},
        KindCase{"Nanofarads", kindRequest("3.3nF"), C, 3.3e-9, Understood},
        KindCase{"MicroSignFarads", kindRequest("0.15µF"), C, 0.15e-6, Understood},
        KindCase{"Picofarads", kindRequest("1000pF"), C, 1e-9, Understood},
        KindCase{"SmallLetters", kindRequest("0.1uf"), C, 0.1e-6, Understood},
        KindCase{"FullWidth", kindRequest("３．３ｎＦ"), C, 3.3e-9, Understood},
        KindCase{"Microhenries", kindRequest("15uH"), L, 15e-6, Understood},
        KindCase{"BlankBeforeMicro", kindRequest("4.7 µH"), L, 4.7e-6, Understood},
        KindCase{"NanoAsPoint", kindRequest("4n7", "C"), C, 4.7e-9, Understood},
        KindCase{"PicoAsPoint", kindRequest("4p7", "c"), C, 4.7e-12, Understood},
        KindCase{"MilliAsPoint", kindRequest("2m2", "C"), C, 2.2e-3, Understood},
        KindCase{"OtherSeries", with(kindRequest("1nF"), &FinderOptions::series, "E6"), C, 1e-9,
                 Understood},
        KindCase{"BareStock", with(kindRequest("32n", "C"), &FinderOptions::stock, "10n\n22n\n"), C,
                 32e-9, Understood},
        KindCase{"UnknownKind", kindRequest("1k", "X"), R, 0, FinderField::Kind,
                 ProblemKind::UnknownKind},
        KindCase{"UnitAgainstKind", kindRequest("3.3nF", "L"), R, 0, FinderField::Wanted,
                 ProblemKind::KindConflict,
                 "\"3.3nF\" is in farads, but the parts are inductors (--kind C for capacitors)"},
        KindCase{"PointOfResistors", kindRequest("4R7", "C"), R, 0, FinderField::Wanted,
                 ProblemKind::NotAValue},
        KindCase{"Megafarad", kindRequest("1M", "C"), R, 0, FinderField::Wanted,
                 ProblemKind::OutOfReach, "1M (1MF) is outside"},
        KindCase{"MarkingCode", kindRequest("104", "C"), R, 0, FinderField::Wanted,
                 ProblemKind::OutOfReach, "(0.25pF to 40mF)"},
        KindCase{"RangeOfAnotherKind", with(kindRequest("10nF"), &FinderOptions::range, "1nF..1uH"),
                 R, 0, FinderField::RangeHigh, ProblemKind::KindConflict},
        KindCase{"ExcludedOfAnotherKind",
                 with(kindRequest("10nF"), &FinderOptions::exclude, "4.7kohm"), R, 0,
                 FinderField::Exclude, ProblemKind::KindConflict},
        KindCase{"StockOfTwoKinds",
                 with(kindRequest("1k"), &FinderOptions::stock, "4.7k ohm\n10nF\n"), R, 0,
                 FinderField::Stock, ProblemKind::KindConflict, "line 2"},
        KindCase{"StockOfAnotherKind",
                 with(kindRequest("10n", "C"), &FinderOptions::stock, "Value\n4.7kΩ\n"), R, 0,
                 FinderField::Stock, ProblemKind::KindConflict},
        KindCase{"DividerOfCapacitors", divider(kindRequest("0.5", "C")), R, 0, FinderField::Kind,
                 ProblemKind::KindConflict},
        KindCase{"DividerOfFarads",
                 divider(with(kindRequest("0.5"), &FinderOptions::total, "1nF..1uF")), R, 0,
                 FinderField::TotalLow, ProblemKind::KindConflict,
                 "(dividers take resistors only)"}),
    CaseName());

}  // namespace
}  // namespace gosei::networks
