#include "ui/result_cell.h"

#include <QFontMetricsF>
#include <QPainter>

namespace gosei::ui {
namespace {

// Pixels of background left beside a condensed text, and the narrowest
// glyphs that still read well.
constexpr qreal kBackgroundShown = 2.0;
constexpr qreal kNarrowestScale = 0.5;

qreal advance(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

}  // namespace

CellTextLayout layoutCellText(const QFont& font, const QString& text, int cellWidth,
                              Qt::Alignment alignment) {
    CellTextLayout layout{font};
    const qreal room = cellWidth - kBackgroundShown;
    qreal width = advance(font, text);
    if (width <= room) return layout;

    layout.horizontalScale = room / width;
    while (layout.horizontalScale < kNarrowestScale && layout.font.pixelSize() > 1) {
        layout.font.setPixelSize(layout.font.pixelSize() - 1);
        width = advance(layout.font, text);
        layout.horizontalScale = std::min<qreal>(1.0, room / width);
    }
    const qreal drawnWidth = width * layout.horizontalScale;
    layout.originX =
        (alignment & Qt::AlignRight) ? cellWidth - drawnWidth : (cellWidth - drawnWidth) / 2;
    return layout;
}

CellTextLayout ResultCell::textLayout() const {
    return layoutCellText(font(), text(), width(), alignment());
}

void ResultCell::paintEvent(QPaintEvent* event) {
    const CellTextLayout layout = textLayout();
    if (layout.horizontalScale == 1.0 && layout.font == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(layout.font);
    painter.setPen(palette().color(foregroundRole()));
    painter.translate(layout.originX, 0);
    painter.scale(layout.horizontalScale, 1.0);
    // On the same baseline as a text that fits, which a label sets at the top.
    painter.drawText(QPointF(0, QFontMetrics(font()).ascent()), text());
}

}  // namespace gosei::ui
