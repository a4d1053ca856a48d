#include "ui/schematic_painter.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QtMath>

#include "tests/view/schematic_samples.h"
#include "ui/fonts.h"

using gosei::view::Box;
using gosei::view::Schematic;
using gosei::view::samples::Drawing;

namespace {

QFont labelFont() {
    return gosei::ui::japaneseFont(gosei::ui::Face::Proportional, 9);
}

QImage painted(const Schematic& schematic, const QRectF& target, qreal ratio) {
    QImage image(qCeil((target.right() + 2) * ratio), qCeil((target.bottom() + 2) * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(labelFont());
    gosei::ui::paintSchematic(painter, schematic, target, Qt::black);
    return image;
}

Box around(gosei::view::Point centre, double radius) {
    return {centre.x - radius, centre.y - radius, 2 * radius, 2 * radius};
}

Box boxOf(const gosei::view::Segment& segment) {
    return {segment.from.x, segment.from.y, segment.to.x - segment.from.x,
            segment.to.y - segment.from.y};
}

// Everything but the labels, as boxes: bodies, terminals, dots, segments.
QList<Box> linework(const Schematic& schematic) {
    QList<Box> boxes;
    for (const auto& resistor : schematic.resistors)
        boxes << resistor.body;
    for (const auto& terminal : schematic.terminals)
        boxes << around(terminal.centre, terminal.radius);
    for (const auto& junction : schematic.junctions)
        boxes << around(junction, schematic.junctionRadius);
    QList<gosei::view::Segment> segments(schematic.wires.begin(), schematic.wires.end());
    for (const auto& ground : schematic.grounds)
        segments << QList(ground.bars.begin(), ground.bars.end());
    for (const auto& segment : segments)
        boxes << boxOf(segment);
    return boxes;
}

// The device pixels within `rect` (logical), and one around.
QRect devicePixels(const QRectF& rect, qreal ratio) {
    return QRectF(rect.topLeft() * ratio, rect.size() * ratio)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

// How much of a box's height its ink spans.
double inkHeightShare(const QImage& image, const QRectF& box, qreal ratio) {
    const QRect pixels = devicePixels(box, ratio) & image.rect();
    int first = -1, last = -1;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) continue;
            first = first < 0 ? y : first;
            last = y;
            break;
        }
    }
    return first < 0 ? 0 : (last - first + 1) / (box.height() * ratio);
}

}  // namespace

class SchematicPainterTest : public QObject {
    Q_OBJECT

  private slots:
    void paintsTheGeometryAndNothingElse_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<double>("scale");
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            for (double scale : {1.0, 0.75})
                QTest::addRow("ratio %g, %g px a unit", ratio, scale) << ratio << scale;
        }
    }
    // Ink stands only on the geometry, give or take the lines' width and a
    // pixel; lines are sharp (across a wire every device pixel is the line's
    // or clear; the round dots are left out for that); each label stays in
    // its box, its digits and capitals spanning the share of the height that
    // text of the label's height gives them.
    void paintsTheGeometryAndNothingElse() {
        QFETCH(qreal, ratio);
        QFETCH(double, scale);
        for (const Drawing& drawing : gosei::view::samples::drawingsToPaint()) {
            const Schematic& schematic = drawing.schematic;
            const QString name = QString::fromStdString(drawing.name);
            // Off the pixel grid on purpose.
            const QPointF topLeft(1.3, 0.6);
            const auto logical = [&](const Box& box) {
                return QRectF(topLeft + QPointF(box.left, box.top) * scale,
                              QSizeF(box.width, box.height) * scale);
            };
            const QRectF target = logical({0, 0, schematic.width, schematic.height});
            const QImage image = painted(schematic, target, ratio);
            Schematic dotless = schematic;
            dotless.junctions.clear();
            const QImage undotted = painted(dotless, target, ratio);

            QImage allowed(image.size(), QImage::Format_Alpha8);
            allowed.fill(Qt::transparent);
            allowed.setDevicePixelRatio(ratio);
            QPainter mask(&allowed);
            const double slack = std::max(schematic.junctionRadius * scale, 2.0) + 1;
            for (const Box& box : linework(schematic))
                mask.fillRect(logical(box).adjusted(-slack, -slack, slack, slack), Qt::black);
            for (const auto& label : schematic.labels)
                mask.fillRect(logical(label.box).adjusted(-1, -1, 1, 1), Qt::black);
            mask.end();
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (qAlpha(image.pixel(x, y)) != 0 && qAlpha(allowed.pixel(x, y)) == 0)
                        QFAIL(qPrintable(
                            QStringLiteral("%1: ink at (%2, %3)").arg(name).arg(x).arg(y)));
                }
            }
            for (const auto& wire : schematic.wires) {
                const QPointF middle = logical(boxOf(wire)).center() * ratio;
                const QPoint across = wire.from.y == wire.to.y ? QPoint(0, 1) : QPoint(1, 0);
                for (int step = -2; step <= 2; ++step) {
                    const int alpha = qAlpha(undotted.pixel(middle.toPoint() + step * across));
                    QVERIFY2(alpha == 0 || alpha == 255,
                             qPrintable(name + QStringLiteral(": a blurred wire")));
                }
            }
            for (const auto& label : schematic.labels) {
                const double share = inkHeightShare(image, logical(label.box), ratio);
                QVERIFY2(share >= 0.6 && share <= 0.9,
                         qPrintable(QStringLiteral("%1: %2 inks %3 of its height")
                                        .arg(name, QString::fromStdString(label.text))
                                        .arg(share)));
            }
        }
    }

    // With GOSEI_SCHEMATIC_SHEETS naming a folder, draws the drawings meant
    // for people to look at into it, one sheet for each pixel ratio
    // (tools/look-at-schematics).
    void writesSheetsToLookAt() {
        const QString folder = qEnvironmentVariable("GOSEI_SCHEMATIC_SHEETS");
        if (folder.isEmpty()) QSKIP("GOSEI_SCHEMATIC_SHEETS is not set");
        const std::vector<Drawing> drawings = gosei::view::samples::drawingsToLookAt();
        constexpr int kGap = 12, kCaption = 16;
        int height = kGap;
        for (const Drawing& drawing : drawings)
            height += kCaption + qCeil(drawing.schematic.height) + kGap;
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            QImage sheet(QSize(640, height) * ratio, QImage::Format_RGB32);
            sheet.setDevicePixelRatio(ratio);
            sheet.fill(Qt::white);
            QPainter painter(&sheet);
            double y = kGap;
            for (const Drawing& drawing : drawings) {
                painter.setFont(labelFont());
                painter.setPen(Qt::gray);
                painter.drawText(QPointF(kGap, y + 10), QString::fromStdString(drawing.name));
                const QRectF target(kGap, y + kCaption, drawing.schematic.width,
                                    drawing.schematic.height);
                painter.setPen(QColor(230, 230, 230));
                painter.drawRect(target);
                gosei::ui::paintSchematic(painter, drawing.schematic, target, Qt::black);
                y = qCeil(target.bottom()) + kGap;
            }
            painter.end();
            QVERIFY(
                sheet.save(QDir(folder).filePath(QStringLiteral("schematics-%1x.png").arg(ratio))));
        }
    }
};

QTEST_MAIN(SchematicPainterTest)
#include "schematic_painter_test.moc"
