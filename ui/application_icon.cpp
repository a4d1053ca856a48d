#include "ui/application_icon.h"

namespace gosei::ui {

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/gosei-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace gosei::ui
