#pragma once

#include <QIcon>

namespace gosei::ui {

// The launcher's icon in the sizes a window manager shows. The larger sizes
// are installed for launchers only: handing them to the window as well
// slows the first frame for nothing.
QIcon applicationIcon();

}  // namespace gosei::ui
