#include <QApplication>

#include "ui/application_icon.h"
#include "ui/main_window.h"
#include "ui/screen_placement.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(gosei::ui::applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("gosei"));
    gosei::ui::MainWindow window;
    gosei::ui::quitWhenClosed(window);
    gosei::ui::placeOnScreen(window, gosei::ui::guessedFrameMargins(window));
    window.show();
    return app.exec();
}
