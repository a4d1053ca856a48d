#include "ui/help_window.h"

#include <QListWidget>
#include <QPushButton>

#include "ui/application_icon.h"
#include "ui/view_to_qt.h"
#include "view/help_text.h"
#include "view/layout.h"

namespace gosei::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(applicationIcon());
    setUpWindow(*this, view::kHelpWindow);
    for (const view::Control& spec : view::helpControls())
        createControl(spec, this);

    m_list = childNamed<QListWidget>(*this, view::kHelpList);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(false);
    m_list->setWordWrap(false);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (std::string_view line : view::helpLines())
        m_list->addItem(fromUtf8(line));

    m_back = childNamed<QPushButton>(*this, view::kBackButton);
    connect(m_back, &QPushButton::clicked, this, &HelpWindow::backPressed);

    setTabOrderAndFocus(*this, view::kHelpTabOrder);
}

}  // namespace gosei::ui
