#include "scene/scene_window.h"

#include <X11/Xlib.h>

#include "engine/modules/engine_modules.h"

SceneWindow::SceneWindow(uint16_t width, uint16_t height) : width_(width), height_(height) {
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

SceneWindow::~SceneWindow() {
    if (deviceStarted_) Direct3D().UseSystem(nullptr);
    if (!display_) return;
    if (window_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

bool SceneWindow::StartDevice() {
    if (!ok()) return false;
    Direct3D().UseSystem(nullptr);  // the OpenGL one
    deviceStarted_ = Direct3D().Start({.window = window_, .width = width_, .height = height_});
    return deviceStarted_;
}
