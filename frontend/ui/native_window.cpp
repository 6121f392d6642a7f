#include "frontend/ui/native_window.h"

#include <xcb/xcb.h>

#include <cstdlib>

#include <QGuiApplication>

namespace {
xcb_connection_t* QtConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}
}  // namespace

quintptr NativeWindowFor(QWidget& widget) {
    const quintptr id = widget.winId();
    // Qt writes requests to its X connection lazily.
    if (xcb_connection_t* connection = QtConnection()) xcb_flush(connection);
    return id;
}

void WaitForDisplay() {
    xcb_connection_t* connection = QtConnection();
    if (!connection) return;
    // Any request with a reply: the server answers it after all before it.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}
