#include "platform/input/key_press_events.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include "platform/input/xi_events.h"

namespace input {

KeyPressEvents::~KeyPressEvents() {
    Close();
}

bool KeyPressEvents::Open(const char* displayName) {
    Close();
    display_ = XOpenDisplay(displayName);
    if (!display_) return false;
    int event = 0, error = 0, major = 2, minor = 1;
    // From 2.1 on raw events reach the root window's listeners even while
    // another client holds a grab.
    if (!XQueryExtension(display_, "XInputExtension", &opcode_, &event, &error) ||
        XIQueryVersion(display_, &major, &minor) != Success || (major == 2 && minor < 1)) {
        Close();
        return false;
    }
    unsigned char mask[XIMaskLen(XI_RawKeyRelease)] = {};
    XISetMask(mask, XI_RawKeyPress);
    XISetMask(mask, XI_RawKeyRelease);
    // The master keyboard's events only: each key once, whichever keyboard
    // (or XTest) it came from.
    XIEventMask events{XIAllMasterDevices, int(sizeof mask), mask};
    XISelectEvents(display_, DefaultRootWindow(display_), &events, 1);
    XSync(display_, False);
    for (bool& down : down_) down = false;
    return true;
}

void KeyPressEvents::Close() {
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
    opcode_ = -1;
}

void KeyPressEvents::Take(uint8_t presses[256]) {
    Read(presses);
}

void KeyPressEvents::Drop() {
    Read(nullptr);
}

void KeyPressEvents::Read(uint8_t* presses) {
    if (!display_) return;
    // The round trip brings every event the server made before it.
    XSync(display_, False);
    DrainXIEvents(display_, opcode_, [&](int type, const void* data) {
        const auto* raw = static_cast<const XIRawEvent*>(data);
        const int keycode = raw->detail;
        if (keycode < 0 || keycode >= 256) return;
        if (type == XI_RawKeyPress && !(raw->flags & XIKeyRepeat)) {
            if (!down_[keycode] && presses && presses[keycode] < 255) ++presses[keycode];
            down_[keycode] = true;
        } else if (type == XI_RawKeyRelease) {
            down_[keycode] = false;
        }
    });
}

}  // namespace input
