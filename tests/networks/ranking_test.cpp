#include "networks/ranking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace gosei::networks {
namespace {

// Items of the list without networks behind them: a value, the part values
// that decide ties, and an id for the canonical order.
struct Item {
    int id;
    double value;
    std::vector<double> parts;
    std::vector<double> partValues() const { return parts; }
    auto operator<=>(const Item& other) const { return id <=> other.id; }
    bool operator==(const Item& other) const { return id == other.id; }
};

struct Measures {
    double approximate(const Item& item) const { return item.value; }
    Rational exact(const Item& item) const { return writtenValue(item.value); }
};

constexpr double kWanted = 1000;

// Most items match exactly, in a few tie classes, so that many tie; they
// come in random order, as walks offer them.
std::vector<Item> manyExactMatches(std::mt19937& random) {
    constexpr std::array<std::array<double, 4>, 4> kParts{
        {{100, 200, 300, 400}, {100, 250, 350, 400}, {100, 100, 400, 400}, {220, 220, 220, 220}}};
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<std::size_t> tieClass(0, kParts.size() - 1);
    std::vector<Item> items;
    for (int id = 0; id < 2000; ++id) {
        const int off = percent(random) < 70 ? 0 : percent(random) % 5 - 2;
        const auto& parts = kParts[tieClass(random)];
        items.push_back({id, kWanted + off, {parts.begin(), parts.end()}});
    }
    std::shuffle(items.begin(), items.end(), random);
    return items;
}

// The first of every item ranked exactly: by |error|, then tie key, then
// canonical order.
std::vector<int> firstRanked(std::vector<Item> items, std::size_t count) {
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        const double sizeA = std::abs(a.value - kWanted);
        const double sizeB = std::abs(b.value - kWanted);
        if (sizeA != sizeB) return sizeA < sizeB;
        return tieOrder(a, b) < 0;
    });
    std::vector<int> ids;
    for (std::size_t i = 0; i < count; ++i)
        ids.push_back(items[i].id);
    return ids;
}

// Exact matches are ranked among themselves by tie key and canonical order
// alone, and a later one that ranks before those kept still enters.
TEST(TopList, KeepsTheFirstOfManyExactMatchesWhateverTheOrderOffered) {
    std::mt19937 random(11);
    for (int capacity : {1, 3, 10}) {
        for (int round = 0; round < 5; ++round) {
            const std::vector<Item> items = manyExactMatches(random);
            ListLimits limits;
            limits.capacity = capacity;
            TopList<Item, Measures> list(kWanted, writtenValue(kWanted), limits, Measures{});
            for (const Item& item : items)
                list.offer(item);
            std::vector<int> kept;
            for (const auto& ranked : list.take())
                kept.push_back(ranked.item.id);
            EXPECT_EQ(kept, firstRanked(items, static_cast<std::size_t>(capacity)))
                << "capacity " << capacity << ", round " << round;
        }
    }
}

}  // namespace
}  // namespace gosei::networks
