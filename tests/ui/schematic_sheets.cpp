// Draws the schematics meant for people to look at with the desktop's
// painter, offscreen, one sheet for each pixel ratio 1, 1.5 and 2, into the
// folder given (tools/look-at-schematics):
//     schematic_sheets FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include "tests/view/schematic_samples.h"
#include "ui/fonts.h"
#include "ui/schematic_painter.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const auto drawings = gosei::view::samples::drawingsToLookAt();
    constexpr int kGap = 12, kCaption = 16;
    int height = kGap;
    for (const auto& drawing : drawings)
        height += kCaption + qCeil(drawing.schematic.height) + kGap;
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        QImage sheet(QSize(640, height) * ratio, QImage::Format_RGB32);
        sheet.setDevicePixelRatio(ratio);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        painter.setFont(gosei::ui::japaneseFont(gosei::ui::Face::Proportional, 9));
        double y = kGap;
        for (const auto& drawing : drawings) {
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
        if (!sheet.save(folder.filePath(QStringLiteral("schematics-%1x.png").arg(ratio)))) return 1;
    }
    return 0;
}
