#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "view/help_text.h"
#include "view/layout.h"
#include "view/pictures.h"
#include "view/units.h"

namespace gosei::view {
namespace {

// Characters, not bytes: UTF-8 continuation bytes are not counted.
std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::vector<Control> allMainControls() {
    std::vector<Control> controls(mainControls().begin(), mainControls().end());
    controls.insert(controls.end(), percentLabels().begin(), percentLabels().end());
    for (const ResultCell& cell : resultCells())
        controls.push_back(cell.control);
    return controls;
}

bool hasControl(std::span<const Control> controls, std::string_view name) {
    return std::any_of(controls.begin(), controls.end(),
                       [name](const Control& control) { return control.name == name; });
}

TEST(HelpText, KeepsItsBlankAndIndentedRowsExactly) {
    const auto lines = helpLines();
    ASSERT_EQ(lines.size(), 46u);
    // Line number (from 1) and length in characters.
    const std::map<int, std::size_t> special{{4, 1},   {8, 0},   {10, 22}, {29, 2},
                                             {33, 29}, {41, 59}, {42, 4},  {43, 0}};
    for (const auto& [number, length] : special)
        EXPECT_EQ(characterCount(lines[number - 1]), length) << "line " << number;
    EXPECT_EQ(lines[3], "\u3000");
    EXPECT_TRUE(lines[9].ends_with("\u3000"));
    EXPECT_TRUE(lines[32].starts_with("\u3000\u3000"));
    EXPECT_EQ(lines[41], "    ");
}

TEST(Units, OddTwipsRoundToTheNearestPixel) {
    EXPECT_EQ(pixelsFromTwips(612), 41);
    EXPECT_EQ(pixelsFromTwips(372), 25);
    EXPECT_EQ(pixelsFromTwips(2052), 137);
    EXPECT_EQ(pixelsFromTwips(252), 17);
    const PixelRect rect = pixelsFromTwips(TwipsRect{7200, 480, 612, 372});
    EXPECT_EQ(std::tie(rect.left, rect.top, rect.width, rect.height),
              std::make_tuple(480, 32, 41, 25));
}

TEST(Units, PointsBecomePixelsAt96Dpi) {
    EXPECT_EQ(pixelsForPoints(9.0), 12);
    EXPECT_EQ(pixelsForPoints(7.5), 10);
    EXPECT_EQ(pixelsForPoints(13.5), 18);
    EXPECT_EQ(pixelsForPoints(14.25), 19);
}

TEST(Layout, ControlNamesAreUniqueWithinEachWindow) {
    std::set<std::string_view> names;
    for (const Control& control : allMainControls())
        EXPECT_TRUE(names.insert(control.name).second) << control.name;
    std::set<std::string_view> helpNames;
    for (const Control& control : helpControls())
        EXPECT_TRUE(helpNames.insert(control.name).second) << control.name;
}

TEST(Layout, NamedControlsExistInTheirWindow) {
    const std::vector<Control> main = allMainControls();
    for (std::string_view name : kMainTabOrder)
        EXPECT_TRUE(hasControl(main, name)) << name;
    for (const SeriesButton& button : kSeriesButtons)
        EXPECT_TRUE(hasControl(main, button.name)) << button.name;
    for (std::string_view name : {kTargetBox, kToleranceBox, kHelpButton, kNoticeLabel})
        EXPECT_TRUE(hasControl(main, name)) << name;
    for (std::string_view name : kHelpTabOrder)
        EXPECT_TRUE(hasControl(helpControls(), name)) << name;
    for (std::string_view name : {kHelpList, kBackButton})
        EXPECT_TRUE(hasControl(helpControls(), name)) << name;
}

TEST(Layout, SeriesCellsStandRightOfTheirParallelCounterparts) {
    std::map<std::tuple<Block, int, Cell>, TwipsRect> places;
    for (const ResultCell& cell : resultCells())
        places[{cell.block, cell.row, cell.cell}] = cell.control.twips;
    ASSERT_EQ(places.size(), 24u);
    for (int row = 1; row <= kRowsPerBlock; ++row) {
        for (Cell cell : kCellsInRowOrder) {
            const TwipsRect parallel = places.at({Block::Parallel, row, cell});
            const TwipsRect series = places.at({Block::Series, row, cell});
            EXPECT_EQ(series.left, parallel.left + 4080);
            EXPECT_EQ(std::tie(series.top, series.width, series.height),
                      std::tie(parallel.top, parallel.width, parallel.height));
        }
    }
}

TEST(Layout, OriginalFacesComeFirst) {
    EXPECT_EQ(fontFamilies(Face::Proportional)[0], "ＭＳ Ｐゴシック");
    EXPECT_EQ(fontFamilies(Face::Proportional).back(), "IPAPGothic");
    EXPECT_EQ(fontFamilies(Face::FixedPitch)[0], "ＭＳ ゴシック");
    EXPECT_EQ(fontFamilies(Face::FixedPitch).back(), "IPAGothic");
}

TEST(Pictures, InkStaysInsideTheImage) {
    for (Picture picture : {Picture::Title, Picture::InputHint}) {
        const PictureSpec& spec = pictureSpec(picture);
        ASSERT_FALSE(spec.lines.empty());
        for (const PictureLine& line : spec.lines) {
            EXPECT_TRUE(0 <= line.ink.left && line.ink.left < line.ink.right &&
                        line.ink.right < spec.width)
                << line.text;
            EXPECT_TRUE(0 <= line.ink.top && line.ink.top < line.ink.bottom &&
                        line.ink.bottom < spec.height)
                << line.text;
        }
    }
}

}  // namespace
}  // namespace gosei::view
