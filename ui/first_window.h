#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

namespace gosei::ui {

// The window the program opens with, shown: the main window, or with
// "--find" among the arguments the finder window alone.
std::unique_ptr<QWidget> openFirstWindow(const QStringList& arguments);

}  // namespace gosei::ui
