#include "ui/application_icon.h"

namespace gosei::ui {

QIcon applicationIcon() {
    // Made once and shared by the application and both windows.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 24, 32, 48, 64}) {
            sizes.addFile(QStringLiteral(":/icons/gosei-%1.png").arg(size), QSize(size, size));
        }
        return sizes;
    }();
    return icon;
}

}  // namespace gosei::ui
