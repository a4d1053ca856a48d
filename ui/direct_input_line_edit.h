#pragma once

#include <QLineEdit>
#include <limits>

namespace gosei::ui {

// A single-line box that keeps the input method off while it has the focus,
// so typed characters arrive directly as half-width characters. Qt's line
// edit answers the input-method query as enabled whatever its attribute
// says, so the query is answered here.
class DirectInputLineEdit : public QLineEdit {
  public:
    explicit DirectInputLineEdit(QWidget* parent) : QLineEdit(parent) {
        setAttribute(Qt::WA_InputMethodEnabled, false);
        // Any length: Qt's default would cut typed or pasted text at 32767.
        setMaxLength(std::numeric_limits<int>::max());
    }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (query == Qt::ImEnabled) return false;
        return QLineEdit::inputMethodQuery(query);
    }
};

}  // namespace gosei::ui
