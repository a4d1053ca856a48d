#include "view/pictures.h"

#include <array>

namespace gosei::view {
namespace {

constexpr Rgb kPurple{128, 0, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kMagenta{255, 0, 255};
constexpr FontSpec kLarge{Face::Proportional, 24.0};
constexpr FontSpec kSmall{Face::Proportional, 9.0};

constexpr std::array<PictureLine, 3> kTitleLines{{
    {kProgramTitle, kPurple, kLarge, {8, 11, 292, 43}},
    {"コンデンサにも使えますが、", kRed, kSmall, {11, 61, 154, 71}},
    {"その場合は結果の直列、並列を逆に読んで下さい", kRed, kSmall, {11, 76, 279, 86}},
}};

constexpr std::array<PictureLine, 2> kInputHintLines{{
    {"←単位（Ωなど）や乗数（kなど）を外した", kMagenta, kSmall, {12, 13, 224, 23}},
    // Indented by one character, so that it starts under 単.
    {"純粋な数値のみを入力して下さい", kMagenta, kSmall, {25, 28, 203, 38}},
}};

constexpr PictureSpec kTitle{314, 118, kWhite, kTitleLines};
constexpr PictureSpec kInputHint{275, 59, kWhite, kInputHintLines};

}  // namespace

const PictureSpec& pictureSpec(Picture picture) {
    return picture == Picture::Title ? kTitle : kInputHint;
}

}  // namespace gosei::view
