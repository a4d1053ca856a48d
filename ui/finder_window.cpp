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

using networks::FinderField;

// A row of the form holding controls side by side.
QWidget* newRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    return row;
}

void addToRow(QWidget* row, QWidget* widget) {
    static_cast<QHBoxLayout*>(row->layout())->addWidget(widget);
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

// Where a field's text is kept between runs.
QString settingsKey(const view::FormField& field) {
    if (field.field == FinderField::Stock) return QStringLiteral("stock/text");
    return QStringLiteral("fields/") + fromUtf8(field.id);
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
    showShownFields();
    // As the last run left it, or as large as the form and results want,
    // within the screen either way.
    const QSize left = m_settings.value(QStringLiteral("window/size")).toSize();
    resize((left.isValid() ? left : sizeHint())
               .boundedTo(roomOnScreen(*this, guessedFrameMargins(*this))));
    m_inputs[static_cast<int>(FinderField::Wanted)]->setFocus();
    searchForm();
}

FinderWindow::~FinderWindow() = default;

void FinderWindow::buildForm(QFormLayout* form) {
    const auto choice = [this](std::string_view text, QButtonGroup* group) {
        auto* button = new QRadioButton(fromUtf8(text), this);
        group->addButton(button);
        connect(button, &QRadioButton::toggled, &m_typingPause, qOverload<>(&QTimer::start));
        return button;
    };
    auto* modes = new QButtonGroup(this);
    m_network = choice(view::kNetworkModeLabel, modes);
    m_divider = choice(view::kDividerModeLabel, modes);
    m_network->setChecked(true);
    connect(m_divider, &QRadioButton::toggled, this, &FinderWindow::showShownFields);
    QWidget* modeRow = newRow();
    addToRow(modeRow, m_network);
    addToRow(modeRow, m_divider);
    static_cast<QHBoxLayout*>(modeRow->layout())->addStretch();
    form->addRow(fromUtf8(view::kModeLabel), modeRow);

    QWidget* row = nullptr;
    for (const view::FormField& field : view::finderForm()) {
        if (field.field == FinderField::Mode) continue;
        if (field.shownFor != view::ShownFor::AnySource && !m_sourceRow) addSourceRow(form);
        QWidget* input = inputFor(field);
        auto* label = new QLabel(fromUtf8(field.label), this);
        label->setBuddy(input);
        m_inputs[static_cast<int>(field.field)] = input;
        m_labels[static_cast<int>(field.field)] = label;
        input->setAccessibleName(fromUtf8(view::plainLabel(field.label)));
        if (!field.besidePrevious) {
            row = newRow();
            if (!field.rowLabel.empty()) {
                auto* rowLabel = new QLabel(fromUtf8(field.rowLabel), this);
                rowLabel->setBuddy(input);
                form->addRow(rowLabel, row);
            } else {
                form->addRow(label, row);
            }
        } else if (field.end == view::RangeEnd::High) {
            addToRow(row, new QLabel(fromUtf8(view::kRangeDash), this));
        } else {
            addToRow(row, label);
        }
        addToRow(row, input);
        m_rows[static_cast<int>(field.field)] = row;
    }
    for (QWidget* each : m_rows)
        if (each) static_cast<QHBoxLayout*>(each->layout())->addStretch();
}

QWidget* FinderWindow::inputFor(const view::FormField& field) {
    switch (field.reads) {
        case view::FieldReads::Kind:
        case view::FieldReads::Series: {
            // The first choice stands for the request's own: its text is the
            // placeholder's.
            auto* list = new QComboBox(this);
            // As wide as its first choice, whose text changes with the request.
            list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            list->addItem(QString(), QString());
            for (const view::Choice& choice : view::choicesOf(field.field))
                list->addItem(fromUtf8(choice.text), fromUtf8(choice.value));
            connect(list, &QComboBox::currentIndexChanged, &m_typingPause,
                    qOverload<>(&QTimer::start));
            connect(list, &QComboBox::currentIndexChanged, this, &FinderWindow::updatePlaceholders);
            return list;
        }
        case view::FieldReads::StockList: {
            auto* stock = new QPlainTextEdit(this);
            stock->setPlaceholderText(fromUtf8(field.hint));
            stock->setTabChangesFocus(true);
            stock->setFixedHeight(stock->fontMetrics().lineSpacing() * 5 + 12);
            connect(stock, &QPlainTextEdit::textChanged, this, [this] {
                m_stockName.clear();
                m_typingPause.start();
            });
            return stock;
        }
        default:
            break;
    }
    auto* edit = new DirectInputLineEdit(this);
    edit->setToolTip(fromUtf8(field.hint));
    if (field.characters > 0)
        edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * field.characters + 16);
    connect(edit, &QLineEdit::textChanged, &m_typingPause, qOverload<>(&QTimer::start));
    // Placeholders depend on other fields: the kind on the wanted value's
    // unit, the number of results on the largest error.
    connect(edit, &QLineEdit::textChanged, this, &FinderWindow::updatePlaceholders);
    return edit;
}

// Series or stock list, before the fields of either.
void FinderWindow::addSourceRow(QFormLayout* form) {
    auto* sources = new QButtonGroup(this);
    const auto choice = [&](std::string_view text) {
        auto* button = new QRadioButton(fromUtf8(text), this);
        sources->addButton(button);
        connect(button, &QRadioButton::toggled, &m_typingPause, qOverload<>(&QTimer::start));
        return button;
    };
    m_useSeries = choice(view::kSeriesSourceLabel);
    m_useStock = choice(view::kStockSourceLabel);
    m_useSeries->setChecked(true);
    connect(m_useStock, &QRadioButton::toggled, this, &FinderWindow::showShownFields);
    auto* openStock = new QPushButton(QStringLiteral("ファイルを開く(&O)…"), this);
    connect(openStock, &QPushButton::clicked, this, &FinderWindow::chooseStockFile);
    m_sourceRow = newRow();
    addToRow(m_sourceRow, m_useSeries);
    addToRow(m_sourceRow, m_useStock);
    addToRow(m_sourceRow, openStock);
    static_cast<QHBoxLayout*>(m_sourceRow->layout())->addStretch();
    form->addRow(fromUtf8(view::kSourceLabel), m_sourceRow);
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

// Rows whose first field the request's mode and source show; labels in the
// mode's words.
void FinderWindow::showShownFields() {
    const view::FormTexts form = textsOfForm();
    for (const view::FormField& field : view::finderForm()) {
        QWidget* row = m_rows[static_cast<int>(field.field)];
        if (!row) continue;
        if (!field.besidePrevious)
            m_form->setRowVisible(row, view::isShown(field, form.mode, form.stock));
        m_labels[static_cast<int>(field.field)]->setText(fromUtf8(view::labelOf(field, form.mode)));
        m_inputs[static_cast<int>(field.field)]->setAccessibleName(
            fromUtf8(view::plainLabel(view::labelOf(field, form.mode))));
        m_inputs[static_cast<int>(field.field)]->setToolTip(
            fromUtf8(view::hintOf(field, form.mode)));
    }
    updatePlaceholders();
}

// What the empty fields stand for in the request as it is now.
void FinderWindow::updatePlaceholders() {
    const auto placeholders = view::placeholdersOf(textsOfForm());
    for (const view::FormField& field : view::finderForm()) {
        const QString text = fromUtf8(placeholders[static_cast<std::size_t>(field.field)]);
        QWidget* input = m_inputs[static_cast<int>(field.field)];
        if (auto* edit = qobject_cast<QLineEdit*>(input)) edit->setPlaceholderText(text);
        if (auto* list = qobject_cast<QComboBox*>(input)) list->setItemText(0, text);
    }
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
        showProblem(QStringLiteral("ファイル %1 を読めません。").arg(path));
        return;
    }
    setTextOf(FinderField::Stock, QString::fromUtf8(file.readAll()));
    m_stockName = path.toStdString();
    m_useStock->setChecked(true);
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

QString FinderWindow::textOf(FinderField field) const {
    QWidget* input = m_inputs[static_cast<int>(field)];
    if (const auto* edit = qobject_cast<const QLineEdit*>(input)) return edit->text();
    if (const auto* box = qobject_cast<const QComboBox*>(input))
        return box->currentData().toString();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(input)) return text->toPlainText();
    return {};
}

void FinderWindow::setTextOf(FinderField field, const QString& text) {
    QWidget* input = m_inputs[static_cast<int>(field)];
    if (auto* edit = qobject_cast<QLineEdit*>(input)) edit->setText(text);
    if (auto* box = qobject_cast<QComboBox*>(input))
        box->setCurrentIndex(std::max(0, box->findData(text)));
    if (auto* list = qobject_cast<QPlainTextEdit*>(input)) list->setPlainText(text);
}

view::FormTexts FinderWindow::textsOfForm() const {
    view::FormTexts form;
    form.mode = m_divider->isChecked() ? FinderMode::Divider : FinderMode::Network;
    form.stock = m_useStock->isChecked();
    for (const view::FormField& field : view::finderForm())
        if (m_inputs[static_cast<int>(field.field)])
            form[field.field] = textOf(field.field).toStdString();
    // Messages name the parts "stock " and the list's name: a list typed or
    // pasted in reads as "stock list".
    form.stockName = m_stockName;
    return form;
}

void FinderWindow::searchForm() {
    m_typingPause.stop();
    rememberForm();
    const view::FormTexts form = textsOfForm();
    auto setUp = networks::setUpFinder(view::optionsOf(form));
    if (const auto* problem = std::get_if<networks::FinderProblem>(&setUp)) {
        showProblem(*problem, form.mode);
        return;
    }
    markField(std::nullopt);
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
    QString status = fromUtf8(results->summary) +
                     QStringLiteral("\n部品 %1（%2 値）").arg(parts).arg(results->partValues);
    if (results->countedStock) status += u'\n' + fromUtf8(view::kCountedStockNote);
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

// Nothing asked yet, or a regulator's voltages half typed: a prompt, not a
// complaint.
void FinderWindow::showProblem(const networks::FinderProblem& problem, FinderMode mode) {
    const QString message = fromUtf8(view::problemMessage(problem, mode));
    if (!view::isStillTyping(problem)) {
        markField(problem.field, message);
        showProblem(message);
        return;
    }
    markField(std::nullopt);
    m_search.dropRequests();
    showSearching(false);
    m_model->clear();
    m_status->setText(message);
    m_status->setPalette(palette());
    emit requestShown();
}

void FinderWindow::markField(std::optional<FinderField> field, const QString& problem) {
    if (m_fieldAtFault) {
        QWidget* input = m_inputs[static_cast<int>(*m_fieldAtFault)];
        input->setStyleSheet({});
        input->setAccessibleDescription({});
    }
    m_fieldAtFault = field;
    if (!field) return;
    QWidget* input = m_inputs[static_cast<int>(*field)];
    input->setStyleSheet(QStringLiteral("border: 2px solid %1").arg(kProblemInk.name()));
    input->setAccessibleDescription(problem);
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

// Every field by its page id; the stock list where it has always been.
void FinderWindow::rememberForm() {
    m_settings.setValue(QStringLiteral("divider"), m_divider->isChecked());
    for (const view::FormField& field : view::finderForm())
        if (m_inputs[static_cast<int>(field.field)])
            m_settings.setValue(settingsKey(field), textOf(field.field));
    m_settings.setValue(QStringLiteral("stock/name"), QString::fromStdString(m_stockName));
    m_settings.setValue(QStringLiteral("stock/chosen"), m_useStock->isChecked());
}

// The form as the last run left it, the stock list named as it was then.
void FinderWindow::restoreForm() {
    m_divider->setChecked(m_settings.value(QStringLiteral("divider")).toBool());
    for (const view::FormField& field : view::finderForm())
        if (m_inputs[static_cast<int>(field.field)] && m_settings.contains(settingsKey(field)))
            setTextOf(field.field, m_settings.value(settingsKey(field)).toString());
    m_stockName = m_settings.value(QStringLiteral("stock/name")).toString().toStdString();
    m_useStock->setChecked(m_settings.value(QStringLiteral("stock/chosen")).toBool());
}

}  // namespace gosei::ui
