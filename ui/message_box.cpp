#include "ui/message_box.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

#include "ui/main_window_layout.h"

namespace gosei::ui {

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kWindowTitle), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("message"));
    // Some styles put a stock icon on the OK button itself.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

}  // namespace gosei::ui
