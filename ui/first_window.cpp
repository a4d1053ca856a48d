#include "ui/first_window.h"

#include <QGuiApplication>

#include "ui/finder_window.h"
#include "ui/main_window.h"
#include "ui/screen_placement.h"

namespace gosei::ui {

std::unique_ptr<QWidget> openFirstWindow(const QStringList& arguments) {
    std::unique_ptr<QWidget> window;
    if (arguments.contains(QStringLiteral("--find"))) {
        // Each window belongs to its own launcher entry.
        QGuiApplication::setDesktopFileName(QStringLiteral("gosei-finder"));
        // Closing it, the last window, ends the program.
        window = std::make_unique<FinderWindow>();
    } else {
        QGuiApplication::setDesktopFileName(QStringLiteral("gosei"));
        auto main = std::make_unique<MainWindow>();
        quitWhenClosed(*main);
        window = std::move(main);
    }
    placeOnScreen(*window, guessedFrameMargins(*window));
    window->show();
    return window;
}

}  // namespace gosei::ui
