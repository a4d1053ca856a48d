#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <memory>
#include <vector>

#include "ui/finder_results.h"

namespace gosei::ui {

// The finder's results as one table: for each part count a heading row
// ("2 個") and then its rows, or a row "なし" when it found nothing. Column
// 0 holds the drawing; the others the texts of FinderResults's headings.
// Heading rows cannot be selected; a screen reader reads them on the way.
class FinderResultsModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setResults(std::shared_ptr<const FinderResults> results);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Rows that span the table: part count headings and "なし".
    bool isHeadingRow(int row) const;
    // The drawing of a result row; null for a heading row.
    const view::Schematic* schematicAt(int row) const;
    // A result row as a line of tab-separated columns that spreadsheets
    // read: its part count, then its texts as `gosei-cli` prints them; empty
    // for a heading row. headingsText() names the same columns.
    QString rowText(int row) const;
    QString headingsText() const;

  private:
    struct Line {
        const FinderResults::Group* group;
        const FinderResults::Row* row;  // null for a heading or "なし"
        bool isNone;
    };
    const FinderResults::Row* rowAt(int row) const;
    QString headingText(const Line& line) const;
    QString accessibleText(const FinderResults::Row& row) const;

    std::shared_ptr<const FinderResults> m_results;
    std::vector<Line> m_lines;
};

// Paints the drawings of column 0, one unit of a schematic to a pixel, so
// that its labels are as large as the window's text, and a divider's as a
// smaller picture of its shape; for column 0 only.
class SchematicDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace gosei::ui
