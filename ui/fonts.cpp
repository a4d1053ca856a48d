#include "ui/fonts.h"

#include <QStringList>
#include <cmath>

namespace gosei::ui {

int pixelsForPoints(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont japaneseFont(Face face, double points) {
    QFont font;
    // fontconfig does not alias the original names, so the stand-ins are
    // named after them explicitly.
    font.setFamilies(
        face == Face::Proportional
            ? QStringList{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")}
            : QStringList{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
    font.setPixelSize(pixelsForPoints(points));
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

QFont defaultFont() {
    return japaneseFont(Face::Proportional, 9.0);
}

}  // namespace gosei::ui
