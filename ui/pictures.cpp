#include "ui/pictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <map>

#include "ui/fonts.h"
#include "ui/view_to_qt.h"

namespace gosei::ui {
namespace {

// Lines larger than this are drawn as outlines.
constexpr double kSmallTextPoints = 9.0;

// Where the line's ink lies in the image.
QRect inkRect(const view::PictureLine& line) {
    return QRect(QPoint(line.ink.left, line.ink.top), QPoint(line.ink.right, line.ink.bottom));
}

// The ink of a line drawn at the origin, from the glyphs' own extents.
QRectF inkBounds(const QFont& font, const QString& text) {
    return QFontMetricsF(font).tightBoundingRect(text);
}

// Draws a line of small text with its ink starting at the ink box's top-left
// corner, stretched so that it ends at the box's right edge. On a screen of
// ordinary density the glyphs are drawn in one solid colour, as bitmap text
// is; denser screens get smooth edges.
void drawSmallLine(QPainter& painter, const view::PictureLine& line) {
    const QString text = fromUtf8(line.text);
    const QRect ink = inkRect(line);
    QFont font = japaneseFont(line.font);
    const qreal naturalWidth = inkBounds(font, text).width();
    font.setStretch(qRound(100.0 * ink.width() / naturalWidth));
    const bool dense = painter.device() && painter.device()->devicePixelRatioF() >= 1.5;
    font.setStyleStrategy(dense ? QFont::PreferAntialias : QFont::NoAntialias);
    const QRectF bounds = inkBounds(font, text);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, dense);
    painter.setFont(font);
    painter.setPen(toQColor(line.colour));
    painter.drawText(QPointF(ink.left() - bounds.left(), ink.top() - bounds.top()), text);
    painter.restore();
}

// Large text as outlines scaled so that its ink fills the ink box exactly.
QPainterPath fittedOutline(const view::PictureLine& line) {
    QPainterPath outline;
    outline.addText(0, 0, japaneseFont(line.font), fromUtf8(line.text));
    const QRectF bounds = outline.boundingRect();
    const QRect ink = inkRect(line);
    const QRectF target(ink.left(), ink.top(), ink.width(), ink.height());
    QTransform fit;
    fit.translate(target.left(), target.top());
    fit.scale(target.width() / bounds.width(), target.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    return fit.map(outline);
}

// The outlines never change; each is made once, at its first paint.
const QPainterPath& outlineOf(const view::PictureLine& line) {
    static std::map<const view::PictureLine*, QPainterPath> made;
    auto [found, isNew] = made.try_emplace(&line);
    if (isNew) found->second = fittedOutline(line);
    return found->second;
}

}  // namespace

QSize pictureSize(Picture picture) {
    const view::PictureSpec& spec = view::pictureSpec(picture);
    return {spec.width, spec.height};
}

void drawPicture(QPainter& painter, Picture picture) {
    const view::PictureSpec& spec = view::pictureSpec(picture);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), pictureSize(picture)), toQColor(spec.background));
    for (const view::PictureLine& line : spec.lines) {
        if (line.font.points > kSmallTextPoints) {
            painter.fillPath(outlineOf(line), toQColor(line.colour));
        } else {
            drawSmallLine(painter, line);
        }
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
