#include "tests/engine/graphics/x11_window.h"

#include <X11/Xlib.h>

TestWindow::TestWindow(uint32_t width, uint32_t height) {
    display_ = XOpenDisplay(nullptr);
    if (!display_) return;
    const int screen = DefaultScreen(display_);
    const Window window =
        XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, width, height, 0,
                            BlackPixel(display_, screen), BlackPixel(display_, screen));
    XSelectInput(display_, window, StructureNotifyMask);
    XMapWindow(display_, window);
    XEvent event;
    do {
        XNextEvent(display_, &event);
    } while (event.type != MapNotify);
    window_ = window;
}

TestWindow::~TestWindow() {
    if (!display_) return;
    if (window_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}
