#pragma once

#include <QStringList>

namespace gosei::ui {

// The help window's 46 lines, in order. Blank rows are kept exactly as they
// are: empty, ideographic spaces (U+3000) or ordinary spaces.
QStringList helpLines();

}  // namespace gosei::ui
