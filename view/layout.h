#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/series.h"
#include "engine/window_operations.h"
#include "view/units.h"

namespace gosei::view {

// What the two windows show, as the window's design gives it: one row per
// control, in twips. Every front end builds its windows from these tables
// and nothing else, so a position, a colour or a text exists once. Texts are
// UTF-8.

struct Rgb {
    std::uint8_t red, green, blue;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Align { Left, Centre, Right };

// The two Japanese gothic faces of the windows.
enum class Face { Proportional, FixedPitch };

struct FontSpec {
    Face face;
    double points;
};

// A face's family names in order of preference: the original face where
// installed, else the IPA face that stands in for it.
std::span<const std::string_view> fontFamilies(Face face);

enum class ControlKind { Label, Button, TextBox, ListBox, TitlePicture, InputHintPicture };

struct Control {
    std::string_view name;
    ControlKind kind;
    std::string_view text;
    TwipsRect twips;
    std::optional<FontSpec> font;   // none: the window's font
    std::optional<Rgb> background;  // none: transparent (labels) or the standard look
    Align alignment = Align::Left;
};

struct Window {
    std::string_view name;
    std::string_view title;
    int widthTwips, heightTwips;    // the client area
    FontSpec font;                  // for every control without a font of its own
    std::optional<Rgb> background;  // none: the desktop's standard window colour
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr std::string_view kProgramTitle = "合成抵抗算出ソフト";

inline constexpr Window kMainWindow{"Form1", kProgramTitle, 8760, 6840, {Face::Proportional, 9.0},
                                    kWhite};
inline constexpr Window kHelpWindow{"Form2", "合成抵抗算出ソフトのヘルプ", 10080,
                                    7965,    {Face::Proportional, 9.0},    std::nullopt};

// The main window's controls other than the result grid, top to bottom.
std::span<const Control> mainControls();

// One result cell: which grid cell it shows and where it stands.
struct ResultCell {
    Block block;
    int row;  // 1 to 3
    Cell cell;
    Control control;
};

// The 24 result cells, block by block, row by row, left to right.
std::span<const ResultCell> resultCells();
// The "％" label at the right end of each row of the grid.
std::span<const Control> percentLabels();

// "並列条件 1行目 抵抗１": block, row and column, for screen readers.
std::string accessibleCellName(Block block, int row, Cell cell);

// The help window's list of help lines and its back button.
std::span<const Control> helpControls();

// The controls the windows' code reaches by name.
inline constexpr std::string_view kTargetBox = "Text1";
inline constexpr std::string_view kToleranceBox = "Text2";
inline constexpr std::string_view kHelpButton = "Command5";
inline constexpr std::string_view kNoticeLabel = "Label4";  // sized to its one line of text
inline constexpr std::string_view kHelpList = "List1";
inline constexpr std::string_view kBackButton = "Command1";  // in the help window

// The series each calculation button runs.
struct SeriesButton {
    std::string_view name;
    Series series;
};
inline constexpr std::array<SeriesButton, 4> kSeriesButtons{{
    {"Command1", Series::E6},
    {"Command2", Series::E12},
    {"Command3", Series::E24},
    {"Command4", Series::E3},
}};

// The order in which Tab visits the controls; the focus starts on the first.
inline constexpr std::array<std::string_view, 7> kMainTabOrder{
    "Text1", "Command1", "Command2", "Command3", "Command4", "Text2", "Command5"};
inline constexpr std::array<std::string_view, 2> kHelpTabOrder{"Command1", "List1"};

}  // namespace gosei::view
