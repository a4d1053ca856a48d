#include "ui/schematic_painter.h"

#include <QPaintDevice>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "ui/view_to_qt.h"

namespace gosei::ui {
namespace {

// From the schematic's units to the painter's logical pixels: one scale for
// both axes, the drawing centred in the target, and every line's centre put
// where a line of whole device pixels covers whole pixels.
class PixelGrid {
  public:
    PixelGrid(const view::Schematic& schematic, const QRectF& target, qreal ratio)
        : m_scale(std::min(target.width() / schematic.width, target.height() / schematic.height)),
          m_origin(target.center() - QPointF(schematic.width, schematic.height) * m_scale / 2),
          m_ratio(ratio),
          m_lineDevicePixels(std::max(1.0, std::round(schematic.strokeWidth * m_scale * ratio))) {}

    qreal lineWidth() const { return m_lineDevicePixels / m_ratio; }
    qreal length(double units) const { return units * m_scale; }
    QPointF point(view::Point at) const {
        return {onLine(m_origin.x() + at.x * m_scale), onLine(m_origin.y() + at.y * m_scale)};
    }
    QLineF line(const view::Segment& segment) const {
        return {point(segment.from), point(segment.to)};
    }
    // A rectangle whose outline is drawn: its edges are lines.
    QRectF outlined(const view::Box& box) const {
        return {point({box.left, box.top}), point({box.right(), box.bottom()})};
    }
    // A turn is drawn between its ends as they fall on the pixel grid, so
    // that it meets its neighbours and the wires exactly; its centre and
    // radius follow from them.
    QPainterPath halfCircle(const view::HalfCircle& turn) const {
        const QPointF from = point(turn.from), to = point(turn.to);
        const QPointF centre = (from + to) / 2;
        const qreal radius = QLineF(from, to).length() / 2;
        QPainterPath path(from);
        path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                   QLineF(centre, from).angle(), -180);  // clockwise
        return path;
    }
    // Text is not snapped: it only has to stay in its box.
    QRectF textBox(const view::Box& box) const {
        return {m_origin + QPointF(box.left, box.top) * m_scale,
                QSizeF(box.width, box.height) * m_scale};
    }

  private:
    // An odd number of pixels wide is centred on a pixel, an even one on
    // the edge between two.
    qreal onLine(qreal logical) const {
        const qreal offset = std::fmod(m_lineDevicePixels, 2.0) / 2;
        return (std::round(logical * m_ratio - offset) + offset) / m_ratio;
    }

    double m_scale;
    QPointF m_origin;
    qreal m_ratio;
    qreal m_lineDevicePixels;
};

// The text as high as the box, centred, with the ink of its digits and
// capitals in the middle of the box; condensed if it is wider than the box.
void paintLabel(QPainter& painter, const QString& text, const QRectF& box) {
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(box.height())));
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    painter.save();
    painter.setFont(font);
    painter.translate(box.center().x(), box.center().y() + metrics.capHeight() / 2);
    painter.scale(std::min(1.0, box.width() / width), 1);
    painter.drawText(QPointF(-width / 2, 0), text);
    painter.restore();
}

}  // namespace

void paintSchematic(QPainter& painter, const view::Schematic& schematic, const QRectF& target,
                    const QColor& ink) {
    const PixelGrid grid(schematic, target, painter.device()->devicePixelRatioF());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, grid.lineWidth(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    for (const view::Segment& wire : schematic.wires)
        painter.drawLine(grid.line(wire));
    for (const view::PartSymbol& symbol : schematic.symbols) {
        if (symbol.kind == networks::PartKind::Resistor)
            painter.drawRect(grid.outlined(symbol.body));
        for (const view::Segment& line : symbol.lines)
            painter.drawLine(grid.line(line));
        for (const view::HalfCircle& turn : symbol.turns)
            painter.drawPath(grid.halfCircle(turn));
    }
    for (const view::Terminal& terminal : schematic.terminals) {
        const qreal radius = grid.length(terminal.radius);
        painter.drawEllipse(grid.point(terminal.centre), radius, radius);
    }
    for (const view::GroundSymbol& ground : schematic.grounds) {
        for (const view::Segment& bar : ground.bars)
            painter.drawLine(grid.line(bar));
    }
    for (const view::Label& label : schematic.labels)
        paintLabel(painter, fromUtf8(label.text), grid.textBox(label.box));

    // A dot stays clearly wider than the lines it joins, however small the
    // drawing.
    const qreal dotRadius = std::max(grid.length(schematic.junctionRadius), 1.5 * grid.lineWidth());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const view::Point& junction : schematic.junctions)
        painter.drawEllipse(grid.point(junction), dotRadius, dotRadius);
    painter.restore();
}

}  // namespace gosei::ui
