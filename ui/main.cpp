#include <QApplication>
#include <QIcon>

#include "ui/main_window.h"

namespace {

// The launcher's icon, in every size it is installed in.
QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/gosei-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("gosei"));
    gosei::ui::MainWindow window;
    gosei::ui::quitWhenClosed(window);
    window.show();
    return app.exec();
}
