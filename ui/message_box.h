#pragma once

#include <QString>

class QWidget;

namespace gosei::ui {

// A modal message over the parent with one OK button and no icon, titled
// with the application's title; returns once it is dismissed.
void showMessage(QWidget* parent, const QString& text);

}  // namespace gosei::ui
