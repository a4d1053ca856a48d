#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace gosei::ui {

// Where a window first opens: centred in the screen's available area, so
// that it lies wholly inside wherever it fits. A window larger than the area
// keeps its top-left corner (its title bar) inside.
QPoint centredInside(const QRect& available, const QSize& framedSize);

// The window manager's frame around a window's client area. Before a window
// is first shown only the frame of another window, or a guess, can tell.
QMargins frameMargins(const QWidget& shownWindow);
QMargins guessedFrameMargins(const QWidget& window);

// The largest client area that fits the available area of the window's
// screen inside the given frame.
QSize roomOnScreen(const QWidget& window, const QMargins& frame);

// Moves a window that has not been shown yet to where it first opens.
void placeOnScreen(QWidget& window, const QMargins& frame);

}  // namespace gosei::ui
