#include "ui/finder_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <optional>
#include <string>
#include <variant>

#include "networks/e_series.h"
#include "networks/value_text.h"
#include "ui/application_icon.h"
#include "ui/direct_input_line_edit.h"
#include "ui/finder_results_model.h"
#include "ui/fonts.h"
#include "ui/mnemonic_keys.h"
#include "ui/screen_placement.h"
#include "ui/view_to_qt.h"
#include "ui/window_class.h"

namespace gosei::ui {
namespace {

using namespace std::chrono_literals;
using networks::FinderMode;

constexpr auto kTypingPause = 150ms;
// Shorter searches change the results without a word in between.
constexpr auto kSearchingNoticeDelay = 300ms;
const QColor kProblemInk(176, 0, 32);
// Room on either side of the texts in the table's cells and headings.
constexpr int kCellPadding = 6;
// The window's first size: the form, and under it room for six rows of
// dividers and their headings; wide enough for the columns of four-part
// networks.
constexpr int kResultLines = 38;
constexpr int kResultCharacters = 130;
// However low the window, the results keep room for two or three rows; the
// form scrolls instead.
constexpr int kFewestResultLines = 10;

QString defaultText(double value) {
    return QString::fromStdString(networks::valueText(value));
}

// A field's text as an option: none when it is empty.
std::optional<std::string> optionOf(const QLineEdit* field) {
    if (field->text().isEmpty()) return std::nullopt;
    return field->text().toStdString();
}

// Two fields as one "LOW..HIGH" option; an empty end takes the default
// that its placeholder shows, and two empty ends give no option at all.
std::optional<std::string> rangeOf(const QLineEdit* low, const QLineEdit* high) {
    if (low->text().isEmpty() && high->text().isEmpty()) return std::nullopt;
    const auto end = [](const QLineEdit* field) {
        return field->text().isEmpty() ? field->placeholderText() : field->text();
    };
    return (end(low) + QStringLiteral("..") + end(high)).toStdString();
}

// Controls side by side in one row of the form, with texts between them;
// a text with a mnemonic moves the focus to the control after it.
QWidget* rowOf(std::initializer_list<std::variant<QWidget*, QString>> items) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* naming = nullptr;
    for (const auto& item : items) {
        if (const auto* widget = std::get_if<QWidget*>(&item)) {
            layout->addWidget(*widget);
            if (naming) naming->setBuddy(*widget);
            naming = nullptr;
        } else {
            auto* label = new QLabel(std::get<QString>(item));
            layout->addWidget(label);
            if (label->text().contains(u'&')) naming = label;
        }
    }
    layout->addStretch();
    return row;
}

// Pads the texts of a table's cells and headings, which the style sets close
// to the columns' edges; its widths follow, as they use the same margins.
class PaddedTableStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        // A cell's text keeps one pixel more than the focus frame's margin.
        if (metric == PM_FocusFrameHMargin) return kCellPadding - 1;
        if (metric == PM_HeaderMargin) return kCellPadding;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The form, scrolled when the window is too low for all of it; otherwise
// as tall as the form, which QScrollArea's own wish stops at 24 lines.
class FormArea : public QScrollArea {
  public:
    explicit FormArea(QWidget* form) {
        setWidget(form);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        // Room beyond the form's height goes to the results.
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        // Tab and the mnemonics reach the fields; the area itself is no stop.
        setFocusPolicy(Qt::NoFocus);
        // A field reached by its mnemonic scrolls into sight, as Tab's does.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && widget()->isAncestorOf(now)) ensureWidgetVisible(now);
        });
    }

    // Rows show and hide with the mode and the parts: the window's layout
    // then asks again how tall the area would be.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }

    // With room for the vertical scroll bar, which would otherwise take its
    // width from the form when it shows.
    QSize sizeHint() const override {
        return widget()->sizeHint() + QSize(verticalScrollBar()->sizeHint().width(), 0);
    }
};

// A row of the form whose label's mnemonic moves the focus to `buddy`.
void addRow(QFormLayout* form, const QString& text, QWidget* buddy, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    form->addRow(label, field);
}

}  // namespace

FinderWindow::FinderWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_settings(QStringLiteral("gosei"), QStringLiteral("finder")),
      m_search(this) {
    setWindowTitle(QStringLiteral("回路探索"));
    setWindowIcon(applicationIcon());
    setFont(japaneseFont(Face::Proportional, 9));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QWidget;
    m_form = new QFormLayout(form);
    m_form->setContentsMargins(0, 0, 0, 0);
    buildForm(m_form);
    layout->addWidget(new FormArea(form));
    keepMnemonicsOutOfFields(*this);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);
    buildResults();
    layout->addWidget(m_table, 1);
    m_table->setMinimumHeight(kFewestResultLines * fontMetrics().lineSpacing());

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPause);
    connect(&m_typingPause, &QTimer::timeout, this, &FinderWindow::searchForm);
    m_searchingNotice.setSingleShot(true);
    m_searchingNotice.setInterval(kSearchingNoticeDelay);
    connect(&m_searchingNotice, &QTimer::timeout, this, [this] { showSearching(true); });
    connect(&m_search, &FinderSearch::answered, this, &FinderWindow::showResults);

    restoreForm();
    showModeFields();
    showPartsFields();
    // As the last run left it, or as large as the form and results want,
    // within the screen either way.
    const QSize left = m_settings.value(QStringLiteral("window/size")).toSize();
    resize((left.isValid() ? left : sizeHint())
               .boundedTo(roomOnScreen(*this, guessedFrameMargins(*this))));
    m_fields.wanted->setFocus();
    searchForm();
}

FinderWindow::~FinderWindow() = default;

void FinderWindow::buildForm(QFormLayout* form) {
    const auto field = [this](const QString& name, const QString& placeholder, int characters) {
        auto* edit = new DirectInputLineEdit(this);
        edit->setAccessibleName(name);
        edit->setPlaceholderText(placeholder);
        if (characters > 0)
            edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * characters + 16);
        connect(edit, &QLineEdit::textChanged, &m_typingPause, qOverload<>(&QTimer::start));
        return edit;
    };
    const auto choice = [this](const QString& text, QButtonGroup* group) {
        auto* button = new QRadioButton(text, this);
        group->addButton(button);
        connect(button, &QRadioButton::toggled, &m_typingPause, qOverload<>(&QTimer::start));
        return button;
    };
    auto& f = m_fields;

    auto* modes = new QButtonGroup(this);
    f.network = choice(QStringLiteral("合成値(&N)"), modes);
    f.divider = choice(QStringLiteral("分圧比(&D)"), modes);
    f.network->setChecked(true);
    connect(f.divider, &QRadioButton::toggled, this, &FinderWindow::showModeFields);
    form->addRow(QStringLiteral("探すもの"), rowOf({f.network, f.divider}));

    f.wanted = field(QStringLiteral("目標値"), QStringLiteral("例 4k7、4.7k、4700"), 24);
    form->addRow(QStringLiteral("目標値(&V)"), f.wanted);
    f.ratio = field(QStringLiteral("分圧比"), QStringLiteral("例 0.66、3.3/5（Vout/Vin）"), 24);
    form->addRow(QStringLiteral("分圧比(&R)"), f.ratio);
    f.vref = field(QStringLiteral("基準電圧 Vref"), QStringLiteral("例 0.8"), 8);
    f.vout = field(QStringLiteral("出力電圧 Vout"), QStringLiteral("例 3.3"), 8);
    addRow(form, QStringLiteral("または Vref(&E)"), f.vref,
           rowOf({f.vref, QStringLiteral("V　Vout(&U)"), f.vout, QStringLiteral("V")}));

    auto* sources = new QButtonGroup(this);
    f.useSeries = choice(QStringLiteral("E系列(&S)"), sources);
    f.useSeries->setChecked(true);
    f.series = new QComboBox(this);
    f.series->setAccessibleName(QStringLiteral("系列"));
    for (int series = 0; series <= static_cast<int>(networks::ESeries::E192); ++series)
        f.series->addItem(fromUtf8(networks::eSeriesName(static_cast<networks::ESeries>(series))));
    f.series->setCurrentText(fromUtf8(networks::eSeriesName(networks::kDefaultSeries)));
    connect(f.series, &QComboBox::currentIndexChanged, &m_typingPause, qOverload<>(&QTimer::start));
    f.lowest = field(QStringLiteral("範囲の下限"), defaultText(networks::kDefaultLow), 8);
    f.highest = field(QStringLiteral("範囲の上限"), defaultText(networks::kDefaultHigh), 8);
    m_seriesRow = rowOf({QStringLiteral("系列"), f.series, QStringLiteral("範囲(&G)"), f.lowest,
                         QStringLiteral("〜"), f.highest});
    form->addRow(QStringLiteral("部品"), rowOf({f.useSeries, m_seriesRow}));

    f.useStock = choice(QStringLiteral("在庫リスト(&L)"), sources);
    f.openStock = new QPushButton(QStringLiteral("ファイルを開く(&O)…"), this);
    connect(f.openStock, &QPushButton::clicked, this, &FinderWindow::chooseStockFile);
    form->addRow(QString(), rowOf({f.useStock, f.openStock}));
    f.stock = new QPlainTextEdit(this);
    f.stock->setAccessibleName(QStringLiteral("在庫リスト"));
    f.stock->setPlaceholderText(
        QStringLiteral("1 行に 1 つ、値を先頭に。# から後は注釈。見出し（Value・値・抵抗値 "
                       "など）のある部品表も読み、数量の列があればその個数まで使います"));
    f.stock->setTabChangesFocus(true);
    f.stock->setFixedHeight(f.stock->fontMetrics().lineSpacing() * 5 + 12);
    connect(f.stock, &QPlainTextEdit::textChanged, this, [this] {
        m_stockName.clear();
        m_typingPause.start();
    });
    m_stockRow = f.stock;
    form->addRow(QString(), f.stock);
    connect(f.useStock, &QRadioButton::toggled, this, &FinderWindow::showPartsFields);

    f.exclude = field(QStringLiteral("除外する値"), QStringLiteral("なし（例 4k7,10k）"), 24);
    form->addRow(QStringLiteral("除外(&X)"), f.exclude);
    f.fewestParts = field(QStringLiteral("最少の部品数"), QString(), 4);
    f.mostParts = field(QStringLiteral("最多の部品数"), QString::number(networks::kMostParts), 4);
    f.top = field(QStringLiteral("部品数ごとの件数"), QString(), 6);
    addRow(form, QStringLiteral("部品数(&P)"), f.fewestParts,
           rowOf({f.fewestParts, QStringLiteral("〜"), f.mostParts,
                  QStringLiteral("　部品数ごとの件数(&K)"), f.top}));
    f.tolerance = field(QStringLiteral("最大誤差 (％)"), QStringLiteral("なし"), 8);
    f.partTolerance = field(QStringLiteral("部品公差 (％)"), QString(), 8);
    addRow(form, QStringLiteral("最大誤差(&M)"), f.tolerance,
           rowOf({f.tolerance, QStringLiteral("％　部品公差(&I)"), f.partTolerance,
                  QStringLiteral("％")}));
    f.lowestTotal =
        field(QStringLiteral("合計の下限"), defaultText(networks::kDefaultLowestTotal), 8);
    f.highestTotal =
        field(QStringLiteral("合計の上限"), defaultText(networks::kDefaultHighestTotal), 8);
    addRow(form, QStringLiteral("合計 上＋下(&T)"), f.lowestTotal,
           rowOf({f.lowestTotal, QStringLiteral("〜"), f.highestTotal}));

    connect(f.tolerance, &QLineEdit::textChanged, this, &FinderWindow::updatePlaceholders);
    connect(f.series, &QComboBox::currentIndexChanged, this, &FinderWindow::updatePlaceholders);
}

void FinderWindow::buildResults() {
    m_model = new FinderResultsModel(this);
    m_table = new QTableView(this);
    m_table->setAccessibleName(QStringLiteral("結果"));
    m_table->setModel(m_model);
    m_table->setItemDelegateForColumn(0, new SchematicDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Columns as wide as their texts and drawings, the last one to the edge.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A widget's style reaches none of its children: the header takes it too.
    auto* padded = new PaddedTableStyle;
    padded->setParent(m_table);
    m_table->setStyle(padded);
    m_table->horizontalHeader()->setStyle(padded);

    auto* copy = new QAction(QStringLiteral("コピー(&C)"), m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &FinderWindow::copySelectedRows);
    m_table->addAction(copy);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void FinderWindow::showModeFields() {
    const bool divider = m_fields.divider->isChecked();
    m_form->setRowVisible(m_fields.wanted, !divider);
    m_form->setRowVisible(m_fields.ratio, divider);
    m_form->setRowVisible(m_fields.vref->parentWidget(), divider);
    m_form->setRowVisible(m_fields.lowestTotal->parentWidget(), divider);
    updatePlaceholders();
}

void FinderWindow::showPartsFields() {
    const bool stock = m_fields.useStock->isChecked();
    m_seriesRow->setEnabled(!stock);
    m_form->setRowVisible(m_stockRow, stock);
    updatePlaceholders();
}

// The defaults that depend on other fields.
void FinderWindow::updatePlaceholders() {
    const networks::FinderDefaults defaults = networks::defaultsFor(optionsOfForm());
    m_fields.fewestParts->setPlaceholderText(QString::number(defaults.fewestParts));
    m_fields.top->setPlaceholderText(QString::number(defaults.top));
    m_fields.partTolerance->setPlaceholderText(defaults.partTolerancePercent > 0
                                                   ? QString::number(defaults.partTolerancePercent)
                                                   : QStringLiteral("なし"));
}

void FinderWindow::chooseStockFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("在庫リストを開く"), QString(),
        QStringLiteral("在庫リスト (*.txt *.csv *.tsv);;すべてのファイル (*)"));
    if (!path.isEmpty()) openStockFile(path);
}

void FinderWindow::openStockFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showProblem(QStringLiteral("cannot read stock file ") + path);
        return;
    }
    m_fields.stock->setPlainText(QString::fromUtf8(file.readAll()));
    m_stockName = path.toStdString();
    m_fields.useStock->setChecked(true);
}

void FinderWindow::copySelectedRows() {
    QModelIndexList rows = m_table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty()) return;
    QStringList lines = {m_model->headingsText()};
    for (const QModelIndex& row : rows)
        lines << m_model->rowText(row.row());
    QGuiApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}

networks::FinderOptions FinderWindow::optionsOfForm() const {
    const auto& f = m_fields;
    networks::FinderOptions options;
    if (f.divider->isChecked()) {
        options.mode = FinderMode::Divider;
        options.wanted = optionOf(f.ratio);
        options.vref = optionOf(f.vref);
        options.vout = optionOf(f.vout);
        options.total = rangeOf(f.lowestTotal, f.highestTotal);
    } else {
        options.wanted = optionOf(f.wanted);
    }
    if (f.useStock->isChecked()) {
        options.stock = f.stock->toPlainText().toStdString();
        // Messages name the parts "stock " and the list's name: a list typed
        // or pasted in reads as "stock list".
        options.stockName = m_stockName.empty() ? "list" : m_stockName;
    } else {
        options.series = f.series->currentText().toStdString();
        options.range = rangeOf(f.lowest, f.highest);
    }
    options.exclude = optionOf(f.exclude);
    options.parts = rangeOf(f.fewestParts, f.mostParts);
    options.top = optionOf(f.top);
    options.tolerance = optionOf(f.tolerance);
    options.partTolerance = optionOf(f.partTolerance);
    return options;
}

void FinderWindow::searchForm() {
    m_typingPause.stop();
    rememberForm();
    const networks::FinderOptions options = optionsOfForm();
    if (!options.wanted && !options.vref && !options.vout) {
        // Nothing asked yet: no need for the command line's complaint.
        m_search.dropRequests();
        showSearching(false);
        m_model->clear();
        m_status->setText(options.mode == FinderMode::Network
                              ? QStringLiteral("目標値を入力して下さい。")
                              : QStringLiteral("分圧比、または Vref と Vout を入力して下さい。"));
        m_status->setPalette(palette());
        emit requestShown();
        return;
    }
    auto setUp = networks::setUpFinder(options);
    if (const auto* problem = std::get_if<std::string>(&setUp)) {
        showProblem(fromUtf8(*problem));
        return;
    }
    m_searchingNotice.start();
    m_search.search(std::move(std::get<networks::FinderSetup>(setUp)));
}

void FinderWindow::showSearching(bool searching) {
    // The older results in the ink of disabled text, the table still
    // scrolling and copying. (Under an opacity effect the table is drawn
    // over black.) An empty palette inherits the window's again.
    QPalette ink;
    if (searching)
        ink.setColor(QPalette::Text, palette().color(QPalette::Disabled, QPalette::Text));
    m_table->setPalette(ink);
    if (!searching) {
        m_searchingNotice.stop();
        return;
    }
    m_status->setText(QStringLiteral("探索中…"));
    m_status->setPalette(palette());
}

void FinderWindow::showResults(std::shared_ptr<const FinderResults> results) {
    showSearching(false);
    const QString parts =
        results->series.empty() ? QStringLiteral("在庫リスト") : fromUtf8(results->series);
    QString status = QStringLiteral("部品 %1（%2 値）").arg(parts).arg(results->partValues);
    if (results->countedStock)
        status += QStringLiteral("\n数量の列に従い、各値はリストにある個数までしか使いません。");
    m_status->setText(status);
    m_status->setPalette(palette());
    m_model->setResults(std::move(results));
    m_table->clearSpans();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->isHeadingRow(row)) m_table->setSpan(row, 0, 1, m_model->columnCount());
    }
    // Rows as tall as their drawings, worked out once: they do not change
    // with the window's width.
    m_table->resizeRowsToContents();
    // The view keeps the older results' scroll position, which would open
    // the new ones somewhere in their middle.
    m_table->scrollToTop();
    emit requestShown();
}

void FinderWindow::showProblem(const QString& problem) {
    m_search.dropRequests();
    showSearching(false);
    m_model->clear();
    m_status->setText(problem);
    QPalette ink = palette();
    ink.setColor(QPalette::WindowText, kProblemInk);
    m_status->setPalette(ink);
    emit requestShown();
}

QSize FinderWindow::sizeHint() const {
    const QSize layoutHint = QWidget::sizeHint();
    const QFontMetrics metrics = fontMetrics();
    return {
        std::max(layoutHint.width(), kResultCharacters * metrics.averageCharWidth()),
        layoutHint.height() - m_table->sizeHint().height() + kResultLines * metrics.lineSpacing()};
}

void FinderWindow::showEvent(QShowEvent* event) {
    // Desktops group and name the window as 回路探索, apart from the
    // calculator, by its own launcher entry gosei-finder.desktop.
    setWindowClass(*this, QByteArrayLiteral("gosei-finder"));
    QWidget::showEvent(event);
}

void FinderWindow::hideEvent(QHideEvent* event) {
    m_settings.setValue(QStringLiteral("window/size"), size());
    rememberForm();
    QWidget::hideEvent(event);
}

// The text fields go by their accessible names.
void FinderWindow::rememberForm() {
    m_settings.setValue(QStringLiteral("divider"), m_fields.divider->isChecked());
    m_settings.setValue(QStringLiteral("series"), m_fields.series->currentText());
    m_settings.beginGroup(QStringLiteral("fields"));
    for (const QLineEdit* field : findChildren<QLineEdit*>())
        m_settings.setValue(field->accessibleName(), field->text());
    m_settings.endGroup();
    m_settings.setValue(QStringLiteral("stock/text"), m_fields.stock->toPlainText());
    m_settings.setValue(QStringLiteral("stock/name"), QString::fromStdString(m_stockName));
    m_settings.setValue(QStringLiteral("stock/chosen"), m_fields.useStock->isChecked());
}

// The form as the last run left it, the stock list named as it was then.
void FinderWindow::restoreForm() {
    m_fields.divider->setChecked(m_settings.value(QStringLiteral("divider")).toBool());
    m_fields.series->setCurrentText(
        m_settings.value(QStringLiteral("series"), m_fields.series->currentText()).toString());
    m_settings.beginGroup(QStringLiteral("fields"));
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setText(m_settings.value(field->accessibleName()).toString());
    m_settings.endGroup();
    m_fields.stock->setPlainText(m_settings.value(QStringLiteral("stock/text")).toString());
    m_stockName = m_settings.value(QStringLiteral("stock/name")).toString().toStdString();
    m_fields.useStock->setChecked(m_settings.value(QStringLiteral("stock/chosen")).toBool());
}

}  // namespace gosei::ui
