#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/application_icon.h"
#include "ui/first_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt's own texts (the file dialog, the fields' context menus) in Japanese
    // like the rest of the windows, whatever the locale; where the
    // translations are not installed they stay in English.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QApplication::setWindowIcon(gosei::ui::applicationIcon());
    const auto window = gosei::ui::openFirstWindow(QApplication::arguments());
    return app.exec();
}
