#include "ui/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QSpacerItem>

#include "ui/view_to_qt.h"
#include "view/layout.h"

namespace gosei::ui {
namespace {

// A message box sizes itself to its text, and a window manager then cuts a
// longer title. Like a native box, this one is made as wide as its caption
// needs in a bold title face, with room for the window menu and the title
// bar's buttons.
void widenForTitle(QMessageBox& box) {
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int titleBarButtons = 8 * metrics.height();
    const int width = metrics.horizontalAdvance(box.windowTitle()) + titleBarButtons;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(view::kProgramTitle), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("message"));
    // Some styles put a stock icon on the OK button itself.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    widenForTitle(box);
    box.exec();
}

}  // namespace gosei::ui
