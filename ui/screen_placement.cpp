#include "ui/screen_placement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace gosei::ui {

QPoint centredInside(const QRect& available, const QSize& framedSize) {
    const int left = available.left() + (available.width() - framedSize.width()) / 2;
    const int top = available.top() + (available.height() - framedSize.height()) / 2;
    return {std::max(left, available.left()), std::max(top, available.top())};
}

QMargins frameMargins(const QWidget& shownWindow) {
    const QRect frame = shownWindow.frameGeometry();
    const QRect client = shownWindow.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

QMargins guessedFrameMargins(const QWidget& window) {
    // A title bar about as tall as the style's, thin borders elsewhere.
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {2, titleBar + 2, 2, 2};
}

QSize roomOnScreen(const QWidget& window, const QMargins& frame) {
    const QRect available = window.screen()->availableGeometry();
    return available.size().shrunkBy(frame);
}

void placeOnScreen(QWidget& window, const QMargins& frame) {
    const QRect available = window.screen()->availableGeometry();
    const QSize framed = window.size().grownBy(frame);
    // A window's position is that of its frame.
    window.move(centredInside(available, framed));
}

}  // namespace gosei::ui
