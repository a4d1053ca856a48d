// Draws the two pictures at the pixel ratios the program ships them for,
// into the folder given. tools/render-pictures runs it.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "ui/pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_pictures FOLDER\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (auto picture : {gosei::ui::Picture::Title, gosei::ui::Picture::InputHint}) {
        for (qreal ratio : {1.0, 2.0}) {
            const QString path = folder.filePath(gosei::ui::shippedPictureName(picture, ratio));
            if (!gosei::ui::drawPicture(picture, ratio).save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
