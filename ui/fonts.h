#pragma once

#include <QFont>

#include "view/layout.h"

namespace gosei::ui {

using view::Face;

// A face at a size in points, drawn at the layout's pixel size for it.
QFont japaneseFont(Face face, double points);
QFont japaneseFont(const view::FontSpec& font);

}  // namespace gosei::ui
