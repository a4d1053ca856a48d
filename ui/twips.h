#pragma once

#include <QRect>

namespace gosei::ui {

// Layouts are held in twips; 15 twips make a pixel at 96 dots per inch.
// Sizes that are not whole pixels round to the nearest pixel.
constexpr int pixelsFromTwips(int twips) {
    return (2 * twips + 15) / 30;
}

constexpr QRect rectFromTwips(int left, int top, int width, int height) {
    return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width),
            pixelsFromTwips(height)};
}

}  // namespace gosei::ui
