#include "ui/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <map>
#include <utility>

#include "ui/fonts.h"
#include "ui/view_to_qt.h"

namespace gosei::ui {
namespace {

// Lines larger than this are drawn as outlines.
constexpr double kSmallTextPoints = 9.0;

// Where a line's ink lies in the image, in the image's logical pixels.
QRectF inkBox(const view::PictureLine& line) {
    return QRectF(QPointF(line.ink.left, line.ink.top),
                  QPointF(line.ink.right + 1, line.ink.bottom + 1));
}

// Large text as outlines scaled so that its ink fills the ink box exactly.
QPainterPath fittedOutline(const view::PictureLine& line) {
    QPainterPath outline;
    outline.addText(0, 0, japaneseFont(line.font), fromUtf8(line.text));
    const QRectF bounds = outline.boundingRect();
    const QRectF target = inkBox(line);
    QTransform fit;
    fit.translate(target.left(), target.top());
    fit.scale(target.width() / bounds.width(), target.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    return fit.map(outline);
}

// A line of small text, in its own face at its own size, drawn once
// unscaled; its inked pixels are then stretched into the ink box. Glyph
// extents from the font are only approximate and rasterising moves edges by
// a pixel, so the line is measured by where it really inks. On a screen of
// ordinary density the glyphs are one solid colour, as bitmap text is;
// denser screens get smooth edges. The stretch is a few percent, so
// repeating a column of pixels now and then keeps the glyphs crisp.
void drawSmallLine(QPainter& painter, const view::PictureLine& line, qreal ratio) {
    const bool smooth = ratio >= 1.5;
    QFont font = japaneseFont(line.font);
    font.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    const QString text = fromUtf8(line.text);
    const QRectF wanted = inkBox(line);

    // Twice the box's width and thrice its height leave room for any face.
    QImage drawn((QSizeF(2 * wanted.width(), 3 * wanted.height()) * ratio).toSize(),
                 QImage::Format_ARGB32_Premultiplied);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::transparent);
    QPainter linePainter(&drawn);
    linePainter.setRenderHint(QPainter::TextAntialiasing, smooth);
    linePainter.setFont(font);
    linePainter.setPen(toQColor(line.colour));
    linePainter.drawText(QPointF(wanted.height(), 2 * wanted.height()), text);
    linePainter.end();

    // The inked pixels, in the image's own pixels.
    int left = drawn.width(), top = drawn.height(), right = -1, bottom = -1;
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            if (qAlpha(row[x]) == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return;
    const QRect ink(QPoint(left, top), QPoint(right, bottom));
    // The box on whole device pixels, so that no row or column is shared. On
    // a dense screen the glyphs' smooth edges may take a row more than the
    // box; on an ordinary one the heights agree.
    const QRect box(
        QPoint(qRound(wanted.left() * ratio), qRound(wanted.top() * ratio)),
        QPoint(qRound(wanted.right() * ratio) - 1, qRound(wanted.bottom() * ratio) - 1));
    const QRectF target(QPointF(box.topLeft()) / ratio, QSizeF(box.size()) / ratio);
    // Cut in the image's own pixels, whatever its pixel ratio.
    drawn.setDevicePixelRatio(1.0);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, drawn, ink);
    painter.restore();
}

// The images that come with the program, drawn by tools/render-pictures
// for the two common pixel ratios, so that the window's start pays for
// neither the faces nor the glyphs the pictures use.
QImage shippedPicture(Picture picture, qreal ratio) {
    if (ratio != 1.0 && ratio != 2.0) return {};
    QImage image(QStringLiteral(":/pictures/%1").arg(shippedPictureName(picture, ratio)));
    if (image.size() != pictureSize(picture) * ratio) return {};
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace

QString shippedPictureName(Picture picture, qreal ratio) {
    return QStringLiteral("%1-%2x.png")
        .arg(picture == Picture::Title ? QStringLiteral("title") : QStringLiteral("input-hint"))
        .arg(ratio);
}

QImage drawPicture(Picture picture, qreal ratio) {
    const view::PictureSpec& spec = view::pictureSpec(picture);
    QImage image(pictureSize(picture) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(toQColor(spec.background));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const view::PictureLine& line : spec.lines) {
        if (line.font.points > kSmallTextPoints) {
            painter.fillPath(fittedOutline(line), toQColor(line.colour));
        } else {
            drawSmallLine(painter, line, ratio);
        }
    }
    return image;
}

QSize pictureSize(Picture picture) {
    const view::PictureSpec& spec = view::pictureSpec(picture);
    return {spec.width, spec.height};
}

QImage renderPicture(Picture picture, qreal devicePixelRatio) {
    // The pictures never change: each is made once for each pixel ratio.
    static std::map<std::pair<Picture, qreal>, QImage> made;
    auto [found, isNew] = made.try_emplace({picture, devicePixelRatio});
    if (isNew) {
        found->second = shippedPicture(picture, devicePixelRatio);
        if (found->second.isNull()) found->second = drawPicture(picture, devicePixelRatio);
    }
    return found->second;
}

PictureBox::PictureBox(Picture picture, QWidget* parent) : QWidget(parent), m_picture(picture) {}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.drawImage(QPointF(0, 0), renderPicture(m_picture, devicePixelRatioF()));
}

}  // namespace gosei::ui
