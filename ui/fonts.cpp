#include "ui/fonts.h"

#include <QStringList>

#include "ui/view_to_qt.h"
#include "view/units.h"

namespace gosei::ui {

QFont japaneseFont(Face face, double points) {
    QFont font;
    // fontconfig does not alias the original names, so the stand-ins are
    // named after them explicitly.
    QStringList families;
    for (std::string_view family : view::fontFamilies(face))
        families << fromUtf8(family);
    font.setFamilies(families);
    font.setPixelSize(view::pixelsForPoints(points));
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

QFont japaneseFont(const view::FontSpec& font) {
    return japaneseFont(font.face, font.points);
}

}  // namespace gosei::ui
