// The keyboard and the mouse of the game window, read over display
// connections of our own (the program's toolkit keeps its own connection and
// its own event queue, which we never touch): the keymap and the pointer are
// asked of the server, and only the raw key events are read.
//
// Under Xwayland a warp is not honoured (see raw_pointer_travel.h): there
// a pinned pointer is not moved back; its travel is the devices' raw
// motion, counted from the pin, and the pinned spot is what is reported.
//
// Key presses are counted from the keyboard's events (key_press_events.h),
// so a tap between two reads is not lost; the keys held are the keymap's.
//
// XQueryKeymap and XQueryPointer answer for the whole screen, so the game
// reads them only while its top-level window holds the input focus; on a
// bare X server without a window manager the focus stays "pointer root",
// and the top-level under the pointer is the one that gets the keys.
#pragma once

#include <cstdint>

#include "platform/input/input_devices.h"
#include "platform/input/key_press_events.h"
#include "platform/input/raw_pointer_travel.h"

typedef struct _XDisplay Display;

namespace input {

class X11Input {
public:
    X11Input() = default;
    ~X11Input();
    X11Input(const X11Input&) = delete;
    X11Input& operator=(const X11Input&) = delete;

    // Opens the connection and checks that the window exists.
    bool Open(unsigned long window);
    bool HasFocus();
    bool ReadKeys(uint8_t keys[kKeyCount], uint8_t presses[kKeyCount]);
    bool ReadPointer(PointerSample& sample);
    bool WarpPointer(int32_t screenX, int32_t screenY, PointerSample& before);
    void Close();

private:
    // The ancestor of the game window that is a child of the root, or 0
    // when the window has gone.
    unsigned long TopLevel();
    bool IsInside(unsigned long window, unsigned long ancestor);
    // The top-level window under the pointer, or 0.
    unsigned long TopLevelUnderPointer();
    bool QueryPointer(PointerSample& sample);
    // The pin under Xwayland: the pointer left where it is, the travel
    // since the last pinned read from raw motion, on top of the pin.
    bool PinByRawTravel(int32_t screenX, int32_t screenY, PointerSample& before);

    Display* display_ = nullptr;
    unsigned long window_ = 0;
    unsigned long root_ = 0;
    bool warpsIgnored_ = false;  // Xwayland with raw motion to count on instead
    RawPointerTravel rawTravel_;
    KeyPressEvents keyEvents_;
    uint8_t lastKeys_[256] = {};  // by X keycode, the keymap at the last read
};

}  // namespace input
