#include "frontend/ui/native_window.h"

#include <xcb/xcb.h>

#include <QGuiApplication>

quintptr NativeWindowFor(QWidget& widget) {
    const quintptr id = widget.winId();
    // Qt writes requests to its X connection lazily.
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        xcb_flush(x11->connection());
    return id;
}
