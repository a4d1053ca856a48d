#include "view/layout.h"

#include <vector>

namespace gosei::view {
namespace {

constexpr FontSpec P(double points) {
    return {Face::Proportional, points};
}
constexpr FontSpec G(double points) {
    return {Face::FixedPitch, points};
}

using K = ControlKind;
constexpr std::nullopt_t kDefault = std::nullopt;
constexpr std::nullopt_t kTransparent = std::nullopt;

constexpr std::array<std::string_view, 2> kProportionalFamilies{"ＭＳ Ｐゴシック", "IPAPGothic"};
constexpr std::array<std::string_view, 2> kFixedPitchFamilies{"ＭＳ ゴシック", "IPAGothic"};

// Every cell, "％" label and column head of the series block stands this far
// right of its counterpart in the parallel block.
constexpr int kSeriesBlockOffset = 4080;

constexpr std::array<Control, 19> kMainControls{{
    {"Picture1", K::TitlePicture, "", {480, 240, 4770, 1590}, kDefault, kWhite},
    {"Label35", K::Label, "V 1.13", {7200, 480, 612, 372}, kDefault, kTransparent},
    {"Command5", K::Button, "ＨＥＬＰ", {5880, 600, 735, 495}, kDefault, kDefault},
    {"Label4", K::Label, "フリーソフト", {6840, 720, 990, 180}, kDefault, kTransparent},
    {"Label3", K::Label, "ミナモソフト", {6840, 960, 1455, 255}, kDefault, kTransparent},
    {"Picture2", K::InputHintPicture, "", {2640, 1800, 3495, 612}, kDefault, kWhite},
    {"Text1", K::TextBox, "", {600, 1920, 2055, 420}, P(14.25), kDefault},
    {"Text2", K::TextBox, "", {6240, 1920, 1095, 375}, P(11.25), kDefault},
    {"Label23", K::Label, "誤差範囲％", {7440, 2040, 1215, 375}, kDefault, kTransparent},
    {"Label33", K::Label, "通常は入力不要です", {6480, 2280, 2052, 252}, P(7.5), kTransparent},
    {"Command1", K::Button, "Ｅ６系列", {1320, 2760, 975, 855}, kDefault, kDefault},
    {"Command2", K::Button, "Ｅ１２系列", {3000, 2760, 975, 855}, kDefault, kDefault},
    {"Command3", K::Button, "Ｅ２４系列", {4560, 2760, 975, 855}, kDefault, kDefault},
    {"Label1", K::Label, "コンデンサ専用", {6120, 2880, 1935, 255}, G(9), kWhite},
    {"Command4", K::Button, "Ｅ３系列", {6360, 3120, 855, 495}, kDefault, kDefault},
    {"Label24", K::Label, "並列条件", {1800, 3840, 1215, 375}, P(14.25), Rgb{255, 255, 0}},
    {"Label25", K::Label, "直列条件", {5880, 3840, 1215, 375}, P(14.25), Rgb{0, 255, 255}},
    {"Label26",
     K::Label,
     "抵抗１    抵抗２      合成値     誤差",
     {720, 4440, 3855, 255},
     G(9),
     kTransparent},
    {"Label27",
     K::Label,
     "抵抗１　　抵抗２　　　合成値　　誤差",
     {720 + kSeriesBlockOffset, 4440, 3855, 255},
     G(9),
     kTransparent},
}};

constexpr std::array<Control, 2> kHelpControls{{
    {"List1", K::ListBox, "", {480, 240, 8772, 6540}, kDefault, kDefault},
    {"Command1", K::Button, "戻る", {6840, 7320, 1095, 615}, kDefault, kDefault},
}};

constexpr std::array<int, 3> kRowTops{4800, 5520, 6240};

struct CellColumn {
    Cell cell;
    int left;  // in the parallel block
    int width;
    Align alignment;
};
// Left to right on screen: partA, partB, combined, error.
constexpr std::array<CellColumn, 4> kCellColumns{{
    {Cell::PartA, 600, 735, Align::Centre},
    {Cell::PartB, 1560, 735, Align::Centre},
    {Cell::Combined, 2640, 735, Align::Centre},
    {Cell::Error, 3600, 615, Align::Right},
}};

// Label names by block and row, in the column order above, then the "％" label.
constexpr std::array<std::array<std::string_view, 5>, 3> kParallelNames{{
    {"Label5", "Label6", "Label36", "Label7", "Label28"},
    {"Label8", "Label9", "Label37", "Label10", "Label29"},
    {"Label11", "Label12", "Label38", "Label13", "Label30"},
}};
constexpr std::array<std::array<std::string_view, 5>, 3> kSeriesNames{{
    {"Label14", "Label15", "Label40", "Label16", "Label31"},
    {"Label17", "Label18", "Label41", "Label19", "Label32"},
    {"Label20", "Label21", "Label42", "Label22", "Label34"},
}};

// Paler at the top.
constexpr std::array<Rgb, 3> kParallelColours{{{255, 255, 192}, {255, 255, 128}, {255, 255, 0}}};
constexpr std::array<Rgb, 3> kSeriesColours{{{192, 255, 255}, {128, 255, 255}, {0, 255, 255}}};

// One row of one block: where it stands and what its labels are called.
struct BlockRow {
    Block block;
    int row;
    int leftOffset;
    int top;
    const std::array<std::string_view, 5>& names;
    Rgb colour;
};

std::vector<BlockRow> blockRows() {
    std::vector<BlockRow> rows;
    for (Block block : {Block::Parallel, Block::Series}) {
        const bool series = block == Block::Series;
        for (std::size_t r = 0; r < kRowTops.size(); ++r) {
            rows.push_back({block, static_cast<int>(r) + 1, series ? kSeriesBlockOffset : 0,
                            kRowTops[r], (series ? kSeriesNames : kParallelNames)[r],
                            (series ? kSeriesColours : kParallelColours)[r]});
        }
    }
    return rows;
}

}  // namespace

std::span<const std::string_view> fontFamilies(Face face) {
    return face == Face::Proportional ? kProportionalFamilies : kFixedPitchFamilies;
}

std::span<const Control> mainControls() {
    return kMainControls;
}

std::span<const Control> helpControls() {
    return kHelpControls;
}

std::span<const ResultCell> resultCells() {
    static const std::vector<ResultCell> cells = [] {
        std::vector<ResultCell> built;
        for (const BlockRow& row : blockRows()) {
            for (std::size_t column = 0; column < kCellColumns.size(); ++column) {
                const CellColumn& c = kCellColumns[column];
                built.push_back({row.block, row.row, c.cell,
                                 Control{row.names[column],
                                         K::Label,
                                         "",
                                         {c.left + row.leftOffset, row.top, c.width, 375},
                                         P(13.5),
                                         row.colour,
                                         c.alignment}});
            }
        }
        return built;
    }();
    return cells;
}

// The "％" labels stand 120 twips below their row's top; the series block's
// are taller.
std::span<const Control> percentLabels() {
    static const std::vector<Control> labels = [] {
        std::vector<Control> built;
        for (const BlockRow& row : blockRows()) {
            built.push_back({row.names[4],
                             K::Label,
                             "％",
                             {4200 + row.leftOffset, row.top + 120, 495,
                              row.block == Block::Series ? 375 : 255},
                             kDefault,
                             kTransparent,
                             Align::Centre});
        }
        return built;
    }();
    return labels;
}

std::string accessibleCellName(Block block, int row, Cell cell) {
    std::string name{blockTitle(block)};
    name += ' ';
    name += std::to_string(row);
    name += "行目 ";
    name += cellTitle(cell);
    if (cell == Cell::Error) name += "％";
    return name;
}

}  // namespace gosei::view
