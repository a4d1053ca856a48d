#pragma once

namespace gosei::view {

// The windows' layouts are held in twips (1/1440 inch), measured from the
// top-left corner of a window's client area.
struct TwipsRect {
    int left, top, width, height;
};

struct PixelRect {
    int left, top, width, height;
};

// 15 twips make a pixel at 96 dots per inch. Sizes that are not whole pixels
// round to the nearest pixel.
constexpr int pixelsFromTwips(int twips) {
    return (2 * twips + 15) / 30;
}

constexpr PixelRect pixelsFromTwips(const TwipsRect& twips) {
    return {pixelsFromTwips(twips.left), pixelsFromTwips(twips.top), pixelsFromTwips(twips.width),
            pixelsFromTwips(twips.height)};
}

// Fonts are sized in pixels at 96 dots per inch (9 points = 12 pixels), so
// the fixed layout holds whatever the screen reports; high-DPI scaling
// multiplies both alike.
int pixelsForPoints(double points);

}  // namespace gosei::view
