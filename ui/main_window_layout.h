#pragma once

#include <QColor>
#include <Qt>
#include <array>
#include <optional>
#include <vector>

#include "engine/series.h"
#include "engine/window_operations.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

namespace gosei::ui {

// The main window's layout as data: one row per control, in twips, as the
// window's design gives it. The window is built from these rows by one loop
// and the tests check it against the same rows.

enum class ControlKind { Label, Button, TextBox, TitlePicture, InputHintPicture };

struct FontSpec {
    Face face;
    double points;
};

struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* text;
    int left, top, width, height;      // twips
    std::optional<FontSpec> font;      // none: the window's default font
    std::optional<QColor> background;  // none: transparent (labels) or standard
    Qt::Alignment alignment = Qt::AlignLeft;
};

inline constexpr int kFormWidthTwips = 8760;
inline constexpr int kFormHeightTwips = 6840;
inline constexpr const char* kWindowTitle = "合成抵抗算出ソフト";
inline constexpr const char* kNotice = "フリーソフト";

const std::vector<ControlSpec>& fixedControls();

// The series each calculation button runs.
struct SeriesButton {
    const char* name;
    Series series;
};
inline constexpr std::array<SeriesButton, 4> kSeriesButtons{{
    {"Command1", Series::E6},
    {"Command2", Series::E12},
    {"Command3", Series::E24},
    {"Command4", Series::E3},
}};

inline constexpr std::array<const char*, 7> kTabOrder{
    "Text1", "Command1", "Command2", "Command3", "Command4", "Text2", "Command5"};

// One result cell: which grid cell it shows and where it stands.
struct ResultCellSpec {
    const char* name;
    Block block;
    int row;
    Cell cell;
    ControlSpec control;
};

// The 24 result cells and the six "％" labels.
const std::vector<ResultCellSpec>& resultCells();
const std::vector<ControlSpec>& percentLabels();

}  // namespace gosei::ui
