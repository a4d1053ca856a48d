#include <QApplication>

#include "ui/application_icon.h"
#include "ui/first_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(gosei::ui::applicationIcon());
    const auto window = gosei::ui::openFirstWindow(QApplication::arguments());
    return app.exec();
}
