// A plain X11 window for drawing the scene outside the game's own window:
// the display tests, the frame benchmark and the contact sheet. It is mapped
// at the asked size on the display the program runs under, and the engine's
// OpenGL device can be started in it.
#pragma once

#include <cstdint>

typedef struct _XDisplay Display;

class SceneWindow {
public:
    // Opens the display and maps a window; ok() tells whether it worked.
    SceneWindow(uint16_t width, uint16_t height);
    // Lets go of a device started in the window before closing it.
    ~SceneWindow();
    SceneWindow(const SceneWindow&) = delete;
    SceneWindow& operator=(const SceneWindow&) = delete;

    bool ok() const { return window_ != 0; }
    unsigned long handle() const { return window_; }

    // Starts the engine's OpenGL device on the window at its size, windowed,
    // with a stencil buffer and without waiting for the vertical blank;
    // false (the reason is in the log) when it does not start.
    bool StartDevice();

private:
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    uint16_t width_, height_;
    bool deviceStarted_ = false;
};
