#include "ui/mnemonic_keys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace gosei::ui {
namespace {

class MnemonicKeysFilter : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<const QKeyEvent*>(event);
        // Only Alt: Windows reports AltGr, which types characters, as
        // Ctrl+Alt, and Qt's fields already type nothing for Ctrl alone.
        const auto held = key->modifiers() & (Qt::AltModifier | Qt::ControlModifier);
        return held == Qt::AltModifier && !key->text().isEmpty();
    }
};

}  // namespace

void keepMnemonicsOutOfFields(QWidget& window) {
    auto* filter = new MnemonicKeysFilter(&window);
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        field->installEventFilter(filter);
    for (QPlainTextEdit* field : window.findChildren<QPlainTextEdit*>())
        field->installEventFilter(filter);
}

}  // namespace gosei::ui
