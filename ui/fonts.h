#pragma once

#include <QFont>

namespace gosei::ui {

// The two Japanese gothic faces of the windows: the original faces where
// installed, else the IPA faces that stand in for them.
enum class Face { Proportional, FixedPitch };

// Fonts are sized in pixels at 96 dots per inch (9 points = 12 pixels), so
// the fixed layout holds whatever the screen reports; high-DPI scaling
// multiplies both alike.
int pixelsForPoints(double points);

QFont japaneseFont(Face face, double points);

// The windows' default font: the proportional face at 9 points.
QFont defaultFont();

}  // namespace gosei::ui
