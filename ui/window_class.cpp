#include "ui/window_class.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>

namespace gosei::ui {

void setWindowClass(QWidget& window, const QByteArray& name) {
    // The offscreen platform answers as X11 too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !x11->connection())
        return;
    // The instance and then the class, each ending in a null.
    const QByteArray value = name + '\0' + name + '\0';
    xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, static_cast<uint32_t>(value.size()), value.constData());
}

}  // namespace gosei::ui
