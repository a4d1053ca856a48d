#include "ui/message_box.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

#include "ui/view_to_qt.h"
#include "view/layout.h"

namespace gosei::ui {

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(view::kProgramTitle), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("message"));
    // Some styles put a stock icon on the OK button itself.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

}  // namespace gosei::ui
