#pragma once

#include <QFont>
#include <QLabel>

namespace gosei::ui {

// Where and how large a cell's text is drawn. A text that fits is drawn as
// any label draws it; a wider one is condensed horizontally, never cut.
struct CellTextLayout {
    QFont font;
    qreal horizontalScale = 1.0;  // 1: the text fits and is drawn as it is
    qreal originX = 0.0;          // where a condensed text begins
};

// Condenses just enough to leave a pixel of the cell's background beside
// the text, keeping the cell's alignment; below half width the size comes
// down as well, so that even a fifteen-digit number stays legible.
CellTextLayout layoutCellText(const QFont& font, const QString& text, int cellWidth,
                              Qt::Alignment alignment);

// A result cell: a label whose whole text always shows.
class ResultCell : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

    CellTextLayout textLayout() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace gosei::ui
