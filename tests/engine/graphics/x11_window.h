// A plain X11 window for the drawing tests, as the game's panel would be:
// mapped, at the scene's size, on the display the tests run under.
#pragma once

#include <cstdint>

typedef struct _XDisplay Display;

class TestWindow {
public:
    // Opens the display and maps a window; ok() tells whether it worked.
    TestWindow(uint32_t width, uint32_t height);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    bool ok() const { return window_ != 0; }
    unsigned long handle() const { return window_; }

private:
    Display* display_ = nullptr;
    unsigned long window_ = 0;
};
