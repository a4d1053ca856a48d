#include "ui/help_window.h"

#include <QFocusEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>

#include "ui/application_icon.h"
#include "ui/view_to_qt.h"
#include "view/help_text.h"
#include "view/layout.h"

namespace gosei::ui {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_scroll(new QScrollArea(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(applicationIcon());
    setUpWindow(*this, view::kHelpWindow);

    // The controls stand on a page of the window's size, which scrolls only
    // on a screen too small for the window.
    auto* page = new QWidget;
    page->setFixedSize(size());
    page->setAutoFillBackground(true);
    for (const view::Control& spec : view::helpControls())
        createControl(spec, page);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidget(page);
    m_scroll->setGeometry(rect());

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
    m_back->installEventFilter(this);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // The focus frame shows from the moment the window opens, as after a
    // Tab, so that the user sees where Space goes; Qt shows it only once
    // the keyboard has moved the focus. A click still hides it.
    if (watched == m_back && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
        setAttribute(Qt::WA_KeyboardFocusChange);
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::fitWithin(const QSize& room) {
    const QSize page = m_scroll->widget()->size();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool tooTall = page.height() > room.height();
    const bool tooWide = page.width() > room.width();
    setFixedSize(std::min(page.width() + (tooTall ? scrollBar : 0), room.width()),
                 std::min(page.height() + (tooWide ? scrollBar : 0), room.height()));
    m_scroll->setGeometry(rect());
}

}  // namespace gosei::ui
