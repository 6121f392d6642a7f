// The scene driver's window: a plain 570 x 400 X window for the library to
// draw in, and what the driver reads back from it (a pixel, a PNG).
#pragma once

#include <cstdint>
#include <string>

typedef struct _XDisplay Display;

class DriverWindow {
public:
    DriverWindow(int width, int height);
    ~DriverWindow();
    DriverWindow(const DriverWindow&) = delete;
    DriverWindow& operator=(const DriverWindow&) = delete;

    bool ok() const { return window_ != 0; }
    unsigned long id() const { return window_; }
    // Handles the window's pending events (the driver's connection only).
    void Pump();
    // The pixel's colour as 0xRRGGBB; false outside the window.
    bool Pixel(int x, int y, uint32_t& rgb);
    bool SavePng(const std::string& path);
    void Destroy();

private:
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    int width_, height_;
};
