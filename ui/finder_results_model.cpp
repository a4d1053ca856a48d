#include "ui/finder_results_model.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/schematic_painter.h"
#include "ui/view_to_qt.h"

namespace gosei::ui {
namespace {

// Room around a drawing, in pixels.
constexpr int kDrawingMargin = 4;
// A divider runs down through both arms, many lines of text tall: it is
// drawn as a small picture of its shape, no taller than this many lines, so
// that a screenful of rows shows. Its values stand in the 上 and 下 columns,
// and labels that small could not be read.
constexpr int kDividerLines = 4;

const FinderResultsModel* modelOf(const QModelIndex& index) {
    return static_cast<const FinderResultsModel*>(index.model());
}

bool isDivider(const view::Schematic& schematic) {
    return !schematic.grounds.empty();
}

// The size a drawing is painted at: one pixel a unit, a divider smaller.
QSizeF drawingSize(const view::Schematic& schematic, const QStyleOptionViewItem& option) {
    const QSizeF units(schematic.width, schematic.height);
    if (!isDivider(schematic)) return units;
    const double height = kDividerLines * option.fontMetrics.lineSpacing();
    return units * std::min(1.0, height / schematic.height);
}

}  // namespace

void FinderResultsModel::setResults(std::shared_ptr<const FinderResults> results) {
    beginResetModel();
    m_results = std::move(results);
    m_lines.clear();
    for (const FinderResults::Group& group : m_results->groups) {
        m_lines.push_back({&group, nullptr, false});
        for (const FinderResults::Row& row : group.rows)
            m_lines.push_back({&group, &row, false});
        if (group.rows.empty()) m_lines.push_back({&group, nullptr, true});
    }
    endResetModel();
}

void FinderResultsModel::clear() {
    beginResetModel();
    m_results.reset();
    m_lines.clear();
    endResetModel();
}

int FinderResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

int FinderResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_results ? 0 : 1 + static_cast<int>(m_results->headings.size());
}

bool FinderResultsModel::isHeadingRow(int row) const {
    return !m_lines.at(row).row;
}

const FinderResults::Row* FinderResultsModel::rowAt(int row) const {
    return m_lines.at(row).row;
}

const view::Schematic* FinderResultsModel::schematicAt(int row) const {
    const FinderResults::Row* found = rowAt(row);
    return found ? &found->schematic : nullptr;
}

QString FinderResultsModel::headingText(const Line& line) const {
    if (line.isNone) return fromUtf8(networks::kNoneFound.japanese);
    return fromUtf8(networks::partCountWords(line.group->partCount).japanese);
}

// The whole row in one phrase, for the drawing's cell, which has no text.
QString FinderResultsModel::accessibleText(const FinderResults::Row& row) const {
    QStringList phrases;
    for (std::size_t column = 0; column < row.texts.size(); ++column)
        phrases << fromUtf8(m_results->headings[column]) + u' ' + fromUtf8(row.texts[column]);
    return phrases.join(QStringLiteral("、"));
}

QString FinderResultsModel::rowText(int row) const {
    if (isHeadingRow(row)) return {};
    QStringList texts = {QString::number(m_lines.at(row).group->partCount)};
    for (const std::string& text : rowAt(row)->texts)
        texts << fromUtf8(text);
    return texts.join(u'\t');
}

QString FinderResultsModel::headingsText() const {
    if (!m_results) return {};
    QStringList texts = {QStringLiteral("部品数")};
    for (const std::string& text : m_results->headings)
        texts << fromUtf8(text);
    return texts.join(u'\t');
}

QVariant FinderResultsModel::data(const QModelIndex& index, int role) const {
    const Line& line = m_lines.at(index.row());
    if (!line.row) {
        if (index.column() != 0) return {};
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return headingText(line);
        if (role == Qt::FontRole && !line.isNone) {
            // Only the weight: the view's own font gives the rest.
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }
    if (index.column() == 0) {
        if (role == Qt::AccessibleTextRole) return accessibleText(*line.row);
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return fromUtf8(line.row->texts.at(index.column() - 1));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant FinderResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !m_results) return {};
    if (section == 0) return QStringLiteral("回路図");
    return fromUtf8(m_results->headings.at(section - 1));
}

Qt::ItemFlags FinderResultsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return isHeadingRow(index.row()) ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void SchematicDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const view::Schematic* schematic = modelOf(index)->schematicAt(index.row());
    if (!schematic) return;
    const bool selected = option.state & QStyle::State_Selected;
    const QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRectF room =
        QRectF(option.rect)
            .adjusted(kDrawingMargin, kDrawingMargin, -kDrawingMargin, -kDrawingMargin);
    // At the left of its cell.
    const QSizeF size = drawingSize(*schematic, option).boundedTo(room.size());
    painter->save();
    painter->setFont(option.font);
    if (isDivider(*schematic)) {
        view::Schematic shape = *schematic;
        shape.labels.clear();
        paintSchematic(*painter, shape, QRectF(room.topLeft(), size), ink);
    } else {
        paintSchematic(*painter, *schematic, QRectF(room.topLeft(), size), ink);
    }
    painter->restore();
}

QSize SchematicDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const view::Schematic* schematic = modelOf(index)->schematicAt(index.row());
    if (!schematic) return QStyledItemDelegate::sizeHint(option, index);
    const QSizeF size = drawingSize(*schematic, option);
    return QSize(static_cast<int>(std::ceil(size.width())),
                 static_cast<int>(std::ceil(size.height())))
        .grownBy(QMargins(kDrawingMargin, kDrawingMargin, kDrawingMargin, kDrawingMargin));
}

}  // namespace gosei::ui
