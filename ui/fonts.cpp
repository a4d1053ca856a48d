#include "ui/fonts.h"

#include <QFontDatabase>
#include <QSet>
#include <QStringList>

#include "ui/view_to_qt.h"
#include "view/units.h"

namespace gosei::ui {
namespace {

// The face's families in order of preference, those the font database has.
// fontconfig does not alias the original names, so the stand-ins are named
// after them; but a family that is not installed makes every lookup run
// fontconfig's fallback sort, which costs about a quarter of start-up.
QStringList installedFamilies(Face face) {
    static const QSet<QString> installed = [] {
        const QStringList all = QFontDatabase::families();
        return QSet<QString>(all.begin(), all.end());
    }();
    QStringList wanted;
    for (std::string_view family : view::fontFamilies(face))
        wanted << fromUtf8(family);
    QStringList families;
    for (const QString& family : wanted) {
        if (installed.contains(family)) families << family;
    }
    // With none of them installed, the toolkit's own fallback is all there is.
    return families.isEmpty() ? wanted : families;
}

}  // namespace

QFont japaneseFont(Face face, double points) {
    static const QStringList proportional = installedFamilies(Face::Proportional);
    static const QStringList fixedPitch = installedFamilies(Face::FixedPitch);
    QFont font;
    font.setFamilies(face == Face::Proportional ? proportional : fixedPitch);
    font.setPixelSize(view::pixelsForPoints(points));
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

QFont japaneseFont(const view::FontSpec& font) {
    return japaneseFont(font.face, font.points);
}

}  // namespace gosei::ui
