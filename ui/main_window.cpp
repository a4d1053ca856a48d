#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "engine/calculation.h"
#include "ui/application_icon.h"
#include "ui/direct_input_line_edit.h"
#include "ui/help_window.h"
#include "ui/main_window_layout.h"
#include "ui/message_box.h"
#include "ui/result_cell.h"
#include "ui/twips.h"

namespace gosei::ui {
namespace {

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Creates one control of the layout table in its place, with its own font,
// background and alignment. Result cells show their whole text, however long.
QWidget* createControl(const ControlSpec& spec, QWidget* parent, bool resultCell = false) {
    QWidget* widget = nullptr;
    const QString text = QString::fromUtf8(spec.text);
    switch (spec.kind) {
        case ControlKind::Label: {
            auto* label = resultCell ? new ResultCell(text, parent) : new QLabel(text, parent);
            label->setAlignment(spec.alignment | Qt::AlignTop);
            label->setTextFormat(Qt::PlainText);
            widget = label;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            button->setDefault(false);
            widget = button;
            break;
        }
        case ControlKind::TextBox:
            widget = new DirectInputLineEdit(parent);
            break;
        case ControlKind::TitlePicture:
            widget = new PictureBox(Picture::Title, parent);
            break;
        case ControlKind::InputHintPicture:
            widget = new PictureBox(Picture::InputHint, parent);
            break;
    }
    widget->setObjectName(QString::fromUtf8(spec.name));
    widget->setGeometry(rectFromTwips(spec.left, spec.top, spec.width, spec.height));
    if (spec.font) widget->setFont(japaneseFont(spec.font->face, spec.font->points));
    if (spec.background) setBackground(widget, *spec.background);
    return widget;
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "並列条件 1行目 抵抗１": block, row and column, for screen readers.
QString accessibleCellName(Block block, int row, Cell cell) {
    QString column = fromUtf8(cellTitle(cell));
    if (cell == Cell::Error) column += u'％';
    return QStringLiteral("%1 %2行目 %3").arg(fromUtf8(blockTitle(block))).arg(row).arg(column);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(applicationIcon());
    setFont(defaultFont());
    setBackground(this, Qt::white);
    setFixedSize(pixelsFromTwips(kFormWidthTwips), pixelsFromTwips(kFormHeightTwips));
    buildControls();
}

MainWindow::~MainWindow() {
    delete m_help;
}

HelpWindow* MainWindow::helpWindow() const {
    return m_help;
}

void MainWindow::buildControls() {
    for (const ControlSpec& spec : fixedControls())
        createControl(spec, this);
    for (const ControlSpec& spec : percentLabels())
        createControl(spec, this);
    for (const ResultCellSpec& spec : resultCells()) {
        auto* label = static_cast<QLabel*>(createControl(spec.control, this, true));
        label->setAccessibleName(accessibleCellName(spec.block, spec.row, spec.cell));
        m_cells[{spec.block, spec.row, spec.cell}] = label;
    }
    findChild<QLabel*>(QStringLiteral("Label4"))->adjustSize();  // sized to its one line

    m_target = findChild<QLineEdit*>(QStringLiteral("Text1"));
    m_tolerance = findChild<QLineEdit*>(QStringLiteral("Text2"));
    for (const SeriesButton& button : kSeriesButtons) {
        const Series series = button.series;
        connect(findChild<QPushButton*>(QString::fromUtf8(button.name)), &QPushButton::clicked,
                this, [this, series] { calculate(series); });
    }
    connect(findChild<QPushButton*>(QStringLiteral("Command5")), &QPushButton::clicked, this,
            &MainWindow::showHelp);

    for (std::size_t i = 1; i < kTabOrder.size(); ++i) {
        setTabOrder(findChild<QWidget*>(QString::fromUtf8(kTabOrder[i - 1])),
                    findChild<QWidget*>(QString::fromUtf8(kTabOrder[i])));
    }
    m_target->setFocus();
}

void MainWindow::calculate(Series series) {
    runCalculation(series, *this);
}

void MainWindow::showHelp() {
    if (!m_help) {
        // A top-level window of its own, so that either window can be in
        // front; its close control destroys it.
        m_help = new HelpWindow();
        connect(m_help, &HelpWindow::backPressed, this, &MainWindow::returnFromHelp);
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
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
