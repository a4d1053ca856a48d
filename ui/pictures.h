#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include "view/pictures.h"

namespace gosei::ui {

// The two pictures of the main window, drawn at run time so that they stay
// sharp at any device pixel ratio.
using view::Picture;

QSize pictureSize(Picture picture);
// The picture for a pixel ratio: the image that comes with the program where
// there is one, else drawn; made once, then kept.
QImage renderPicture(Picture picture, qreal devicePixelRatio = 1.0);
// The picture drawn now, and the name of the image shipped for a ratio.
QImage drawPicture(Picture picture, qreal devicePixelRatio);
QString shippedPictureName(Picture picture, qreal devicePixelRatio);

// Shows a picture at its top-left corner, unscaled and clipped to the box.
class PictureBox : public QWidget {
  public:
    PictureBox(Picture picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Picture m_picture;
};

}  // namespace gosei::ui
