#include "view/finder_form.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "tests/case_name.h"

namespace gosei::view {
namespace {

using networks::FinderProblem;
using networks::ProblemKind;
using F = FinderField;

struct FaultCase {
    const char* name;
    FinderMode mode;
    bool stock;
    std::vector<std::pair<FinderField, std::string>> typed;
    FinderField atFault;
    ProblemKind kind;
};

FormTexts formOf(const FaultCase& c) {
    FormTexts form;
    form.mode = c.mode;
    form.stock = c.stock;
    for (const auto& [field, text] : c.typed)
        form[field] = text;
    return form;
}

class FaultTest : public testing::TestWithParam<FaultCase> {};

// Each refusal names a field that the request shows, so that the window
// and the page can mark it, and says what is wrong in Japanese, with no
// option names of the command line; a text at fault is quoted as typed.
TEST_P(FaultTest, NamesAShownFieldInJapanese) {
    const FormTexts form = formOf(GetParam());
    const auto setUp = networks::setUpFinder(optionsOf(form));
    ASSERT_TRUE(std::holds_alternative<FinderProblem>(setUp));
    const FinderProblem& problem = std::get<FinderProblem>(setUp);
    EXPECT_EQ(problem.field, GetParam().atFault) << problem.text;
    EXPECT_EQ(problem.kind, GetParam().kind) << problem.text;
    EXPECT_TRUE(isShown(formField(problem.field), form.mode, form.stock));
    const std::string message = problemMessage(problem, form.mode);
    EXPECT_TRUE(message.ends_with("。")) << message;
    EXPECT_EQ(message.find("--"), std::string::npos) << message;
    if (!problem.given.empty()) {
        EXPECT_NE(message.find(problem.given), std::string::npos) << message;
    }
}

constexpr auto N = FinderMode::Network;
constexpr auto D = FinderMode::Divider;

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultTest,
    testing::Values(
        FaultCase{"Unreadable", N, false, {{F::Wanted, "4k7x"}}, F::Wanted, ProblemKind::NotAValue},
        FaultCase{"TooManyDigits",
                  N,
                  false,
                  {{F::Wanted, "1.0000000000000001k"}},
                  F::Wanted,
                  ProblemKind::NotAValue},
        FaultCase{
            "RatioAbove1", D, false, {{F::Wanted, "1.5"}}, F::Wanted, ProblemKind::RatioOutOfRange},
        FaultCase{"RatioAndVref",
                  D,
                  false,
                  {{F::Wanted, "0.5"}, {F::Vref, "0.8"}},
                  F::Wanted,
                  ProblemKind::RatioAndVoltages},
        FaultCase{"VoutBelowVref",
                  D,
                  false,
                  {{F::Vref, "1.25"}, {F::Vout, "1"}},
                  F::Vout,
                  ProblemKind::VoutNotAboveVref},
        FaultCase{"VoutBeyondReach",
                  D,
                  false,
                  {{F::Vref, "0.8"}, {F::Vout, "1e9"}},
                  F::Vout,
                  ProblemKind::OutOfReach},
        FaultCase{"RatioBeyondReach",
                  D,
                  false,
                  {{F::Wanted, "1e-12"}},
                  F::Wanted,
                  ProblemKind::OutOfReach},
        FaultCase{
            "WantedBeyondReach", N, false, {{F::Wanted, "1G"}}, F::Wanted, ProblemKind::OutOfReach},
        FaultCase{"HighRangeEnd",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::RangeHigh, "x"}},
                  F::RangeHigh,
                  ProblemKind::NotAValue},
        FaultCase{"LowAboveHigh",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::RangeLow, "10k"}, {F::RangeHigh, "1k"}},
                  F::RangeLow,
                  ProblemKind::LowAboveHigh},
        FaultCase{"LowAboveDefaultHigh",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::RangeLow, "100M"}},
                  F::RangeLow,
                  ProblemKind::LowAboveHigh},
        FaultCase{"ZeroLowEnd",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::RangeLow, "0"}},
                  F::RangeLow,
                  ProblemKind::NotPositive},
        FaultCase{"Excluded",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::Exclude, "1k,x"}},
                  F::Exclude,
                  ProblemKind::NotAValue},
        FaultCase{"AllExcluded",
                  N,
                  true,
                  {{F::Wanted, "1k"}, {F::Stock, "1k\n2k\n"}, {F::Exclude, "1k,2k"}},
                  F::Exclude,
                  ProblemKind::NoPartsLeft},
        FaultCase{"MostParts",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::PartsMax, "5"}},
                  F::PartsMax,
                  ProblemKind::PartCountsOutside},
        FaultCase{"FewestParts",
                  D,
                  false,
                  {{F::Wanted, "0.5"}, {F::PartsMin, "1"}},
                  F::PartsMin,
                  ProblemKind::PartCountsOutside},
        FaultCase{"FewestAboveMost",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::PartsMin, "3"}, {F::PartsMax, "2"}},
                  F::PartsMin,
                  ProblemKind::PartCountsOutside},
        FaultCase{"PartsNotACount",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::PartsMin, "two"}},
                  F::PartsMin,
                  ProblemKind::NotPartCounts},
        FaultCase{"Top", N, false, {{F::Wanted, "1k"}, {F::Top, "0"}}, F::Top, ProblemKind::NotTop},
        FaultCase{"MaxError",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::MaxError, "-1"}},
                  F::MaxError,
                  ProblemKind::NotPercentage},
        FaultCase{"PartTolerance",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::PartTolerance, "100"}},
                  F::PartTolerance,
                  ProblemKind::NotPercentage},
        FaultCase{"TotalHigh",
                  D,
                  false,
                  {{F::Wanted, "0.5"}, {F::TotalHigh, "x"}},
                  F::TotalHigh,
                  ProblemKind::NotAValue},
        FaultCase{"StockLine",
                  N,
                  true,
                  {{F::Wanted, "1k"}, {F::Stock, "1k\nten\n"}},
                  F::Stock,
                  ProblemKind::StockList},
        FaultCase{"UnknownKind",
                  N,
                  false,
                  {{F::Kind, "X"}, {F::Wanted, "1k"}},
                  F::Kind,
                  ProblemKind::UnknownKind},
        FaultCase{"UnitAgainstKind",
                  N,
                  false,
                  {{F::Kind, "L"}, {F::Wanted, "3.3nF"}},
                  F::Wanted,
                  ProblemKind::KindConflict},
        FaultCase{"RangeOfAnotherKind",
                  N,
                  false,
                  {{F::Wanted, "10nF"}, {F::RangeLow, "1k ohm"}},
                  F::RangeLow,
                  ProblemKind::KindConflict},
        FaultCase{"StockOfTwoKinds",
                  N,
                  true,
                  {{F::Wanted, "1k"}, {F::Stock, "4.7kΩ\n10nF\n"}},
                  F::Stock,
                  ProblemKind::KindConflict},
        FaultCase{"CapacitorBeyondReach",
                  N,
                  false,
                  {{F::Kind, "C"}, {F::Wanted, "1M"}},
                  F::Wanted,
                  ProblemKind::OutOfReach},
        FaultCase{"SpanOfSeries",
                  N,
                  false,
                  {{F::Wanted, "1k"}, {F::RangeLow, "1e-9"}, {F::RangeHigh, "1e9"}},
                  F::RangeLow,
                  ProblemKind::SpanTooWide}),
    CaseName());

// Full-width digits read in every field, counts too.
TEST(FinderForm, ReadsFullWidthDigitsInEveryField) {
    FormTexts form;
    form[F::Wanted] = "４ｋ７";
    form[F::Top] = "１０";
    form[F::PartsMin] = "２";
    form[F::PartsMax] = "３";
    form[F::MaxError] = "５";
    const auto setUp = networks::setUpFinder(optionsOf(form));
    ASSERT_TRUE(std::holds_alternative<networks::FinderSetup>(setUp))
        << std::get<FinderProblem>(setUp).text;
    const auto& list = std::get<networks::FinderSetup>(setUp).list();
    EXPECT_EQ(list.top, 10);
    EXPECT_EQ(list.fewestParts, 2);
    EXPECT_EQ(list.mostParts, 3);
}

// Empty fields show the defaults of the kind asked for, by the kind field
// or by the unit typed with the value; dividers are resistive whatever the
// kind field holds.
TEST(FinderForm, ShowsTheDefaultsOfTheKindInEmptyFields) {
    struct Row {
        FinderMode mode;
        std::string kind, wanted;
        std::string low, high, partTolerance;
    };
    for (const Row& row :
         {Row{N, "", "4k7", "1", "10M", "5"}, Row{N, "C", "", "1p", "10m", "10"},
          Row{N, "", "3.3nF", "1p", "10m", "10"}, Row{N, "L", "10u", "1n", "1", "10"},
          Row{D, "C", "0.5", "1", "10M", "5"}}) {
        FormTexts form;
        form.mode = row.mode;
        form[F::Kind] = row.kind;
        form[F::Wanted] = row.wanted;
        const auto placeholders = placeholdersOf(form);
        const auto shown = [&](F field) { return placeholders[static_cast<std::size_t>(field)]; };
        EXPECT_EQ(shown(F::RangeLow), row.low) << row.kind << row.wanted;
        EXPECT_EQ(shown(F::RangeHigh), row.high) << row.kind << row.wanted;
        EXPECT_EQ(shown(F::PartTolerance), row.partTolerance) << row.kind << row.wanted;
    }
}

// A regulator's pair half typed, or nothing asked yet, is a prompt.
TEST(FinderForm, TakesAHalfTypedFormForTyping) {
    for (const F typed : {F::Vref, F::Vout}) {
        FormTexts form;
        form.mode = D;
        form[typed] = "1";
        const auto setUp = networks::setUpFinder(optionsOf(form));
        ASSERT_TRUE(std::holds_alternative<FinderProblem>(setUp));
        EXPECT_TRUE(isStillTyping(std::get<FinderProblem>(setUp)));
    }
    EXPECT_TRUE(isStillTyping(std::get<FinderProblem>(networks::setUpFinder(optionsOf({})))));
}

}  // namespace
}  // namespace gosei::view
