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

}  // namespace
}  // namespace gosei::networks
