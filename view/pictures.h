#pragma once

#include <span>
#include <string_view>

#include "view/layout.h"

namespace gosei::view {

// The two pictures of the main window, as what they show: lines of text on a
// white image, each with the box its ink fills. Positions are in pixels from
// the image's top-left corner.
enum class Picture { Title, InputHint };

// Inclusive pixel extents.
struct InkBox {
    int left, top, right, bottom;
};

struct PictureLine {
    std::string_view text;
    Rgb colour;
    FontSpec font;  // the large title is scaled to its box, the 9-point lines stretched
    InkBox ink;
};

struct PictureSpec {
    int width, height;  // the image, in pixels
    Rgb background;
    std::span<const PictureLine> lines;  // in drawing order
};

const PictureSpec& pictureSpec(Picture picture);

}  // namespace gosei::view
