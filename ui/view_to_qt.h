#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>
#include <span>
#include <string_view>

#include "view/layout.h"

namespace gosei::ui {

// The windows are built from the toolkit-free tables of view/; these turn
// their values into Qt's.

QString fromUtf8(std::string_view text);
QColor toQColor(view::Rgb colour);
Qt::Alignment toAlignment(view::Align alignment);
QRect toPixelRect(const view::TwipsRect& twips);

// Name, title, default font, fixed client size and background of a window.
void setUpWindow(QWidget& window, const view::Window& spec);

// Creates one control of a layout table in its place, with its own font,
// background and alignment. A result cell shows its whole text, however long.
QWidget* createControl(const view::Control& spec, QWidget* parent, bool resultCell = false);

// The window's control of that name; the tables name only controls that exist.
template <typename T = QWidget>
T* childNamed(const QWidget& window, std::string_view name) {
    return window.findChild<T*>(fromUtf8(name));
}

// Tab visits the controls in the order given; the focus starts on the first.
void setTabOrderAndFocus(const QWidget& window, std::span<const std::string_view> order);

}  // namespace gosei::ui
