#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/calculation.h"
#include "ui/application_icon.h"
#include "ui/finder_window.h"
#include "ui/help_window.h"
#include "ui/message_box.h"
#include "ui/screen_placement.h"
#include "ui/view_to_qt.h"
#include "view/layout.h"

namespace gosei::ui {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(applicationIcon());
    setUpWindow(*this, view::kMainWindow);
    buildControls();
    // The finder opens by Ctrl+F, which the window's context menu shows: the
    // window's own layout has no room for another control.
    auto* find = new QAction(QStringLiteral("回路探索(&F)…"), this);
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    find->setShortcutVisibleInContextMenu(true);
    connect(find, &QAction::triggered, this, &MainWindow::showFinder);
    addAction(find);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

MainWindow::~MainWindow() {
    delete m_help;
    delete m_finder;
}

HelpWindow* MainWindow::helpWindow() const {
    return m_help;
}

FinderWindow* MainWindow::finderWindow() const {
    return m_finder;
}

void MainWindow::buildControls() {
    for (const view::Control& spec : view::mainControls())
        createControl(spec, this);
    for (const view::Control& spec : view::percentLabels())
        createControl(spec, this);
    for (const view::ResultCell& spec : view::resultCells()) {
        auto* label = static_cast<QLabel*>(createControl(spec.control, this, true));
        label->setAccessibleName(
            QString::fromStdString(view::accessibleCellName(spec.block, spec.row, spec.cell)));
        m_cells[{spec.block, spec.row, spec.cell}] = label;
    }
    childNamed<QLabel>(*this, view::kNoticeLabel)->adjustSize();  // sized to its one line

    m_target = childNamed<QLineEdit>(*this, view::kTargetBox);
    m_tolerance = childNamed<QLineEdit>(*this, view::kToleranceBox);
    for (const view::SeriesButton& button : view::kSeriesButtons) {
        const Series series = button.series;
        connect(childNamed<QPushButton>(*this, button.name), &QPushButton::clicked, this,
                [this, series] { calculate(series); });
    }
    connect(childNamed<QPushButton>(*this, view::kHelpButton), &QPushButton::clicked, this,
            &MainWindow::showHelp);

    setTabOrderAndFocus(*this, view::kMainTabOrder);
}

void MainWindow::calculate(Series series) {
    runCalculation(series, *this);
}

void MainWindow::showHelp() {
    if (!m_help) {
        // A top-level window of its own, so that either window can be in
        // front; its close control destroys it.
        m_help = new HelpWindow();
        // The main window is shown, so its frame tells what the window
        // manager adds around the help window.
        const QMargins frame = frameMargins(*this);
        m_help->fitWithin(roomOnScreen(*m_help, frame));
        placeOnScreen(*m_help, frame);
        connect(m_help, &HelpWindow::backPressed, this, &MainWindow::returnFromHelp);
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showFinder() {
    if (!m_finder) {
        // Its own top-level window; closing it only hides it, so that it
        // opens again as it was left, its tables still built.
        m_finder = new FinderWindow();
        placeOnScreen(*m_finder, frameMargins(*this));
    }
    m_finder->show();
    m_finder->raise();
    m_finder->activateWindow();
}

void MainWindow::returnFromHelp() {
    show();
    raise();
    activateWindow();
    if (m_help) m_help->hide();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // No window may stay behind once the main window has gone.
    if (m_help) m_help->close();
    if (m_finder) m_finder->close();
    event->accept();
    emit closed();
}

void quitWhenClosed(MainWindow& window) {
    QObject::connect(&window, &MainWindow::closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
}

QLabel* MainWindow::cellLabel(Block block, int row, Cell cell) const {
    return m_cells.at({block, row, cell});
}

std::string MainWindow::readTargetText() {
    return m_target->text().toStdString();
}

std::string MainWindow::readToleranceText() {
    return m_tolerance->text().toStdString();
}

void MainWindow::setCellText(Block block, int row, Cell cell, std::string_view text) {
    cellLabel(block, row, cell)->setText(fromUtf8(text));
}

std::string MainWindow::readCellText(Block block, int row, Cell cell) {
    return cellLabel(block, row, cell)->text().toStdString();
}

void MainWindow::showToleranceMessage() {
    showMessage(this, fromUtf8(kToleranceMessage));
}

void MainWindow::showTargetMessage() {
    showMessage(this, fromUtf8(kTargetMessage));
}

void MainWindow::showRangeMessage() {
    showMessage(this, fromUtf8(kRangeMessage));
}

void MainWindow::clearToleranceText() {
    m_tolerance->clear();
}

}  // namespace gosei::ui
