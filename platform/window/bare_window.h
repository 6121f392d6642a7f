// A plain X11 window to draw in outside the game's own window: mapped at
// the asked size on the display the program runs under, with nothing in it
// until someone draws, and what a drawing reads back from it (a pixel, a
// PNG). The scene's display tests, the benchmarks, the contact sheet and
// the scene driver all draw in one.
#pragma once

#include <cstdint>
#include <string>

typedef struct _XDisplay Display;

class BareWindow {
public:
    // Opens the display and maps a window; ok() tells whether it worked.
    BareWindow(int width, int height, const char* title = nullptr);
    ~BareWindow();
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;

    bool ok() const { return window_ != 0; }
    unsigned long id() const { return window_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Handles the window's pending events (this connection's only).
    void Pump();
    // A new size, in force on the display when this returns.
    void Resize(int width, int height);
    // The pixel's colour as 0xRRGGBB; false outside the window.
    bool Pixel(int x, int y, uint32_t& rgb);
    bool SavePng(const std::string& path);
    // Closes the window before the object goes; the display stays open.
    void Destroy();

private:
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    int width_, height_;
};
