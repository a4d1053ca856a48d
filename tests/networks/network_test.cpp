#include "networks/network.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/case_name.h"

namespace gosei::networks {
namespace {

Network p(double value) {
    return Network::part(value);
}
Network series(Network a, Network b) {
    return Network::joined(Join::Series, a, b);
}
Network parallel(Network a, Network b) {
    return Network::joined(Join::Parallel, a, b);
}

struct EquivalenceCase {
    const char* name;
    Network a;
    Network b;
};

class EquivalentArrangementsTest : public testing::TestWithParam<EquivalenceCase> {};

TEST_P(EquivalentArrangementsTest, AreTheSameNetwork) {
    EXPECT_TRUE(GetParam().a == GetParam().b);
    EXPECT_EQ(GetParam().a.expression(), GetParam().b.expression());
    EXPECT_EQ(GetParam().a.value(), GetParam().b.value());
}

INSTANTIATE_TEST_SUITE_P(
    Arrangements, EquivalentArrangementsTest,
    testing::Values(
        EquivalenceCase{"SeriesSwapped", series(p(1), p(2)), series(p(2), p(1))},
        EquivalenceCase{"SeriesRegrouped", series(series(p(1), p(2)), p(3)),
                        series(p(3), series(p(2), p(1)))},
        EquivalenceCase{"ParallelRegrouped", parallel(parallel(p(7), p(3)), p(5)),
                        parallel(p(3), parallel(p(5), p(7)))},
        EquivalenceCase{"PairsOfPairsSwapped", series(parallel(p(4), p(3)), parallel(p(2), p(1))),
                        series(parallel(p(1), p(2)), parallel(p(3), p(4)))},
        EquivalenceCase{"ChainAsPairs", series(p(1), series(p(2), parallel(p(3), p(4)))),
                        series(series(p(2), p(1)), parallel(p(4), p(3)))},
        EquivalenceCase{"NestedChainSwapped", parallel(p(1), series(p(2), parallel(p(3), p(4)))),
                        parallel(series(parallel(p(4), p(3)), p(2)), p(1))}),
    CaseName());

struct WritingCase {
    const char* name;
    Network network;
    std::string expression;
    std::string topology;
};

class WritingTest : public testing::TestWithParam<WritingCase> {};

TEST_P(WritingTest, WritesPartsBeforeGroupsAndSmallerFirst) {
    EXPECT_EQ(GetParam().network.expression(), GetParam().expression);
    EXPECT_EQ(GetParam().network.topology(), GetParam().topology);
}

INSTANTIATE_TEST_SUITE_P(
    Networks, WritingTest,
    testing::Values(WritingCase{"OnePart", p(4700), "4.7k", "A"},
                    WritingCase{"PartAndGroup", series(parallel(p(22e3), p(10e3)), p(4700)),
                                "4.7k + (10k | 22k)", "A + (B | C)"},
                    WritingCase{"PairsOfPairs", parallel(series(p(3), p(4)), series(p(2), p(1))),
                                "(1 + 2) | (3 + 4)", "(A + B) | (C + D)"},
                    WritingCase{"SmallerGroupFirst",
                                series(parallel(p(1), parallel(p(2), p(3))), parallel(p(5), p(6))),
                                "(5 | 6) + (1 | 2 | 3)", "(A | B) + (C | D | E)"},
                    WritingCase{"Ladder", parallel(p(1), series(p(2), parallel(p(3), p(4)))),
                                "1 | (2 + (3 | 4))", "A | (B + (C | D))"}),
    CaseName());

TEST(Network, WorksOutItsValue) {
    EXPECT_EQ(series(p(1), p(2)).value(), 3.0);
    EXPECT_EQ(parallel(p(2), p(2)).value(), 1.0);
    EXPECT_DOUBLE_EQ(parallel(p(1), series(p(2), parallel(p(3), p(6)))).value(), 0.8);
    EXPECT_EQ(series(p(1), parallel(p(2), p(3))).partCount(), 3);
}

TEST(Network, CountsDistinctValuesAndTheSpreadOfItsParts) {
    const Network network = series(p(10), parallel(p(47), series(p(10), p(22))));
    EXPECT_EQ(network.partValues(), (std::vector<double>{10, 47, 10, 22}));
    EXPECT_EQ(network.distinctValueCount(), 3);
    EXPECT_DOUBLE_EQ(network.largestToSmallestRatio(), 4.7);
}

}  // namespace
}  // namespace gosei::networks
