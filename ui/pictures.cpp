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

// A line of small text: its own face at its own height, stretched
// horizontally so that its ink spans the ink box. On a screen of ordinary
// density the glyphs are drawn in one solid colour, as bitmap text is;
// denser screens get smooth edges.
class SmallLine {
  public:
    SmallLine(const view::PictureLine& line, qreal ratio)
        : m_text(fromUtf8(line.text)), m_font(japaneseFont(line.font)), m_smooth(ratio >= 1.5) {
        m_font.setStyleStrategy(m_smooth ? QFont::PreferAntialias : QFont::NoAntialias);
        place(inkBox(line), ratio);
    }

    void draw(QPainter& painter, const QColor& colour) const {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, m_smooth);
        painter.setRenderHint(QPainter::TextAntialiasing, m_smooth);
        painter.setFont(m_font);
        painter.setPen(colour);
        painter.translate(m_origin);
        painter.scale(m_scale, 1.0);
        painter.drawText(QPointF(0, 0), m_text);
        painter.restore();
    }

  private:
    // Glyph extents from the font are only approximate, and rasterising
    // moves edges by a pixel, so the line is placed by where it really inks:
    // drawn alone unscaled, measured, then scaled and moved. Measuring
    // unscaled keeps to the glyphs the window's text has rasterised already.
    void place(const QRectF& wanted, qreal ratio) {
        m_origin = QPointF(wanted.left(), wanted.bottom());
        const QRectF ink = measureInk(wanted, ratio);
        if (ink.isEmpty()) return;
        const qreal left = ink.left() - m_origin.x();
        m_scale = wanted.width() / ink.width();
        m_origin = QPointF(wanted.left() - m_scale * left, m_origin.y() + wanted.top() - ink.top());
    }

    // The logical extent of the pixels the line inks in a band around where
    // it is wanted.
    QRectF measureInk(const QRectF& wanted, qreal ratio) const {
        const qreal margin = wanted.height();
        const QRectF band(0, wanted.top() - margin, 2 * wanted.right(),
                          wanted.height() + 2 * margin);
        QImage image((band.size() * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(-band.topLeft());
        draw(painter, Qt::black);
        painter.end();

        int left = image.width(), top = image.height(), right = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (row[x] == 0xFFFFFFFFu) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        if (right < 0) return {};
        return QRectF(QPointF(left, top) / ratio, QPointF(right + 1, bottom + 1) / ratio)
            .translated(band.topLeft());
    }

    QString m_text;
    QFont m_font;
    bool m_smooth;
    qreal m_scale = 1.0;
    QPointF m_origin;
};

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
            SmallLine(line, ratio).draw(painter, toQColor(line.colour));
        }
    }
    return image;
}

}  // namespace

QSize pictureSize(Picture picture) {
    const view::PictureSpec& spec = view::pictureSpec(picture);
    return {spec.width, spec.height};
}

QImage renderPicture(Picture picture, qreal devicePixelRatio) {
    // The pictures never change: each is drawn once for each pixel ratio.
    static std::map<std::pair<Picture, qreal>, QImage> drawn;
    auto [found, isNew] = drawn.try_emplace({picture, devicePixelRatio});
    if (isNew) found->second = drawPicture(picture, devicePixelRatio);
    return found->second;
}

PictureBox::PictureBox(Picture picture, QWidget* parent) : QWidget(parent), m_picture(picture) {}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.drawImage(QPointF(0, 0), renderPicture(m_picture, devicePixelRatioF()));
}

}  // namespace gosei::ui
