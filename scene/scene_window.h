// A bare window with the engine's OpenGL device started in it: for the
// display tests, the benchmarks and the contact sheet, which draw the scene
// outside the game's own window.
#pragma once

#include <cstdint>

#include "platform/window/bare_window.h"

class SceneWindow {
public:
    // Maps the window; ok() tells whether it worked.
    SceneWindow(uint16_t width, uint16_t height) : window_(width, height) {}
    // Lets go of a device started in the window before closing it.
    ~SceneWindow();
    SceneWindow(const SceneWindow&) = delete;
    SceneWindow& operator=(const SceneWindow&) = delete;

    bool ok() const { return window_.ok(); }
    unsigned long handle() const { return window_.id(); }

    // Starts the engine's OpenGL device on the window at its size, windowed,
    // with a stencil buffer and without waiting for the vertical blank;
    // false (the reason is in the log) when it does not start.
    bool StartDevice();

private:
    BareWindow window_;
    bool deviceStarted_ = false;
};
