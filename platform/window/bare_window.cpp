#include "platform/window/bare_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

uint32_t ToRgb(XImage* image, int x, int y) {
    const unsigned long p = XGetPixel(image, x, y);
    auto channel = [p](unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) mask >>= 1, ++shift;
        return uint32_t(((p >> shift) & mask) * 255 / (mask ? mask : 1));
    };
    return channel(image->red_mask) << 16 | channel(image->green_mask) << 8 |
           channel(image->blue_mask);
}

}  // namespace

BareWindow::BareWindow(int width, int height, const char* title)
    : width_(width), height_(height) {
    display_ = XOpenDisplay(nullptr);
    if (!display_) return;
    const int screen = DefaultScreen(display_);
    const Window window =
        XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, unsigned(width),
                            unsigned(height), 0, BlackPixel(display_, screen),
                            BlackPixel(display_, screen));
    if (title) XStoreName(display_, window, title);
    XSelectInput(display_, window, StructureNotifyMask);
    XMapWindow(display_, window);
    XEvent event;
    do {
        XNextEvent(display_, &event);
    } while (event.type != MapNotify);
    window_ = window;
}

BareWindow::~BareWindow() {
    Destroy();
    if (display_) XCloseDisplay(display_);
}

void BareWindow::Destroy() {
    if (!display_ || !window_) return;
    XDestroyWindow(display_, window_);
    XSync(display_, False);
    window_ = 0;
}

void BareWindow::Pump() {
    while (display_ && XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
    }
}

void BareWindow::Resize(int width, int height) {
    if (!ok()) return;
    XResizeWindow(display_, window_, unsigned(width), unsigned(height));
    XSync(display_, False);
    width_ = width;
    height_ = height;
}

bool BareWindow::Pixel(int x, int y, uint32_t& rgb) {
    if (!ok() || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    rgb = ToRgb(image, 0, 0);
    XDestroyImage(image);
    return true;
}

bool BareWindow::SavePng(const std::string& path) {
    if (!ok()) return false;
    XImage* image =
        XGetImage(display_, window_, 0, 0, unsigned(width_), unsigned(height_), AllPlanes, ZPixmap);
    if (!image) return false;
    std::vector<uint8_t> rgb(size_t(width_) * size_t(height_) * 3);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint32_t c = ToRgb(image, x, y);
            uint8_t* out = &rgb[(size_t(y) * size_t(width_) + size_t(x)) * 3];
            out[0] = uint8_t(c >> 16), out[1] = uint8_t(c >> 8), out[2] = uint8_t(c);
        }
    }
    XDestroyImage(image);
    return stbi_write_png(path.c_str(), width_, height_, 3, rgb.data(), width_ * 3) != 0;
}
