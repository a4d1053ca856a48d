#pragma once

#include <QByteArray>

class QWidget;

namespace gosei::ui {

// Names a top-level window's class on X11 (WM_CLASS), by which desktops
// group windows and find their launcher entry: Qt names every window of a
// program after the program. Call it when the window is about to be shown:
// window managers read the class as the window maps. Elsewhere it does
// nothing; there desktops know a window by the program's desktop file name.
void setWindowClass(QWidget& window, const QByteArray& name);

}  // namespace gosei::ui
