#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    gosei::ui::MainWindow window;
    gosei::ui::quitWhenClosed(window);
    window.show();
    return app.exec();
}
