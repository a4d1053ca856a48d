#include "ui/pictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include "ui/fonts.h"

namespace gosei::ui {
namespace {

struct InkedLine {
    const char* text;
    QRect ink;  // where the line's ink lies in the image
};

// The ink of a line drawn at the origin, from the glyphs' own extents.
QRectF inkBounds(const QFont& font, const QString& text) {
    return QFontMetricsF(font).tightBoundingRect(text);
}

// Draws a line of 9-point text with its ink starting at the ink box's
// top-left corner, stretched so that it ends at the box's right edge. On a
// screen of ordinary density the glyphs are drawn in one solid colour, as
// bitmap text is; denser screens get smooth edges.
void drawSmallLine(QPainter& painter, const InkedLine& line, const QColor& colour) {
    const QString text = QString::fromUtf8(line.text);
    QFont font = japaneseFont(Face::Proportional, 9.0);
    const qreal naturalWidth = inkBounds(font, text).width();
    font.setStretch(qRound(100.0 * line.ink.width() / naturalWidth));
    const bool dense = painter.device() && painter.device()->devicePixelRatioF() >= 1.5;
    font.setStyleStrategy(dense ? QFont::PreferAntialias : QFont::NoAntialias);
    const QRectF bounds = inkBounds(font, text);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, dense);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(line.ink.left() - bounds.left(), line.ink.top() - bounds.top()), text);
    painter.restore();
}

// Large text as outlines scaled so that its ink fills the ink box exactly.
QPainterPath fittedOutline(const InkedLine& line) {
    QPainterPath outline;
    outline.addText(0, 0, japaneseFont(Face::Proportional, 24.0), QString::fromUtf8(line.text));
    const QRectF bounds = outline.boundingRect();
    const QRectF target(line.ink.left(), line.ink.top(), line.ink.width(), line.ink.height());
    QTransform fit;
    fit.translate(target.left(), target.top());
    fit.scale(target.width() / bounds.width(), target.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    return fit.map(outline);
}

void drawTitle(QPainter& painter) {
    const QColor purple(128, 0, 128);
    const QColor red(255, 0, 0);
    // The outlines never change; they are made once, at the first paint.
    static const QPainterPath title =
        fittedOutline({"合成抵抗算出ソフト", QRect(QPoint(8, 11), QPoint(292, 43))});
    painter.fillPath(title, purple);
    drawSmallLine(painter, {"コンデンサにも使えますが、", QRect(QPoint(11, 61), QPoint(154, 71))},
                  red);
    drawSmallLine(
        painter,
        {"その場合は結果の直列、並列を逆に読んで下さい", QRect(QPoint(11, 76), QPoint(279, 86))},
        red);
}

void drawInputHint(QPainter& painter) {
    const QColor magenta(255, 0, 255);
    drawSmallLine(painter,
                  {"←単位（Ωなど）や乗数（kなど）を外した", QRect(QPoint(12, 13), QPoint(224, 23))},
                  magenta);
    // Indented by one character, so that it starts under 単.
    drawSmallLine(painter,
                  {"純粋な数値のみを入力して下さい", QRect(QPoint(25, 28), QPoint(203, 38))},
                  magenta);
}

}  // namespace

QSize pictureSize(Picture picture) {
    return picture == Picture::Title ? QSize(314, 118) : QSize(275, 59);
}

void drawPicture(QPainter& painter, Picture picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), pictureSize(picture)), Qt::white);
    if (picture == Picture::Title) {
        drawTitle(painter);
    } else {
        drawInputHint(painter);
    }
    painter.restore();
}

QImage renderPicture(Picture picture, qreal devicePixelRatio) {
    QImage image(pictureSize(picture) * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    drawPicture(painter, picture);
    return image;
}

PictureBox::PictureBox(Picture picture, QWidget* parent) : QWidget(parent), m_picture(picture) {}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(rect());
    drawPicture(painter, m_picture);
}

}  // namespace gosei::ui
