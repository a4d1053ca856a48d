#include "ui/help_window.h"

#include <QListWidget>
#include <QPushButton>

#include "ui/application_icon.h"
#include "ui/fonts.h"
#include "ui/help_text.h"
#include "ui/twips.h"

namespace gosei::ui {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_list(new QListWidget(this)),
      m_back(new QPushButton(QStringLiteral("戻る"), this)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("合成抵抗算出ソフトのヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(applicationIcon());
    setFont(defaultFont());
    setFixedSize(pixelsFromTwips(10080), pixelsFromTwips(7965));

    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(rectFromTwips(480, 240, 8772, 6540));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(false);
    m_list->setWordWrap(false);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->addItems(helpLines());

    m_back->setObjectName(QStringLiteral("Command1"));
    m_back->setGeometry(rectFromTwips(6840, 7320, 1095, 615));
    m_back->setAutoDefault(false);
    m_back->setDefault(false);
    connect(m_back, &QPushButton::clicked, this, &HelpWindow::backPressed);

    setTabOrder(m_back, m_list);
    m_back->setFocus();
}

}  // namespace gosei::ui
