#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/case_name.h"
#include "tests/json_reader.h"
#include "view/schematic.h"

namespace gosei::view {
namespace {

using networks::Join;
using networks::Network;

struct LabelCase {
    const char* name;
    double value;
    std::string text;
    double characters;  // the label's width in kLabelCharacterWidth
};

class LabelWidthTest : public ::testing::TestWithParam<LabelCase> {};

// Each multiplier letter as wide as the metric makes it, in a row and in a
// divider's column alike: m, M and G half as wide again as the rest, the
// point half as wide.
TEST_P(LabelWidthTest, IsAsWideAsItsCharacters) {
    const LabelCase& row = GetParam();
    const Network part = Network::part(row.value);
    for (const Schematic& schematic :
         {schematicOf(part, networks::PartKind::Resistor), dividerSchematic(part, part)}) {
        const Label& label = schematic.labels.at(0);
        EXPECT_EQ(label.text, row.text);
        EXPECT_EQ(label.box.width, row.characters * kLabelCharacterWidth);
        EXPECT_EQ(label.box.height, kLabelHeight);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Multipliers, LabelWidthTest,
    ::testing::Values(LabelCase{"Pico", 1e-12, "1p", 2}, LabelCase{"Nano", 1e-9, "1n", 2},
                      LabelCase{"Micro", 1e-6, "1u", 2}, LabelCase{"Milli", 1e-3, "1m", 2.5},
                      LabelCase{"None", 1, "1", 1}, LabelCase{"KiloWithAPoint", 4.7e3, "4.7k", 3.5},
                      LabelCase{"Mega", 1e6, "1M", 2.5},
                      LabelCase{"GigaWithAPoint", 2.2e9, "2.2G", 4},
                      LabelCase{"Tera", 1e12, "1T", 2}),
    CaseName());

// The fields web/schematic.js paints from, and the terminals' roles, and no
// others: a field renamed on either side would leave the page blank.
TEST(SchematicJson, HoldsTheFieldsThePagePaintsFrom) {
    using Names = std::vector<std::string>;
    const Network group = Network::joined(Join::Parallel, Network::part(1e3), Network::part(2.2e3));
    const std::string json = schematicJson(dividerSchematic(group, Network::part(4.7e3)));
    const auto document = strict_json::readJson(json);
    ASSERT_TRUE(document) << json;
    EXPECT_EQ(document->keys(), (Names{"width", "height", "stroke", "junctionRadius", "resistors",
                                       "wires", "junctions", "labels", "terminals", "grounds"}));
    const std::vector<std::pair<std::string, Names>> lists = {
        {"resistors", {"box", "part", "symbol"}},
        {"labels", {"box", "text", "part"}},
        {"terminals", {"centre", "radius", "role"}},
        {"grounds", {"bars"}}};
    for (const auto& [list, fields] : lists) {
        EXPECT_FALSE((*document)[list].items.empty()) << list;
        for (const auto& [none, item] : (*document)[list].items)
            EXPECT_EQ(item.keys(), fields) << list;
    }
}

// Each symbol names its kind, and a capacitor's lines and an inductor's
// turns are there for the page to paint.
TEST(SchematicJson, NamesEachSymbolsKindWithItsStrokes) {
    using Names = std::vector<std::string>;
    struct Row {
        networks::PartKind kind;
        std::string name;
        Names fields;
    };
    const std::vector<Row> rows = {
        {networks::PartKind::Resistor, "resistor", {"box", "part", "symbol"}},
        {networks::PartKind::Capacitor, "capacitor", {"box", "part", "symbol", "lines"}},
        {networks::PartKind::Inductor, "inductor", {"box", "part", "symbol", "turns"}}};
    for (const Row& row : rows) {
        const std::string json = schematicJson(schematicOf(Network::part(1e-6), row.kind));
        const auto document = strict_json::readJson(json);
        ASSERT_TRUE(document) << json;
        const strict_json::Json& symbol = (*document)["resistors"].items.at(0).value;
        EXPECT_EQ(symbol.keys(), row.fields) << json;
        EXPECT_EQ(symbol["symbol"].text, row.name);
        for (const auto& [none, turn] : symbol["turns"].items)
            EXPECT_EQ(turn.keys(), (Names{"from", "to", "radius"}));
    }
}

}  // namespace
}  // namespace gosei::view
