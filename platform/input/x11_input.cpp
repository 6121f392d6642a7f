#include "platform/input/x11_input.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <iterator>

#include "platform/input/x_error_trap.h"

namespace input {

namespace {

// DirectInput numbers keys by scan code; X keycodes are the same codes
// shifted by 8 on the evdev and xfree86 keymaps alike.
constexpr int kKeycodeOffset = 8;

// The arrow keys sit apart in the two numberings: the kernel's key numbers
// (X keycode - 8) against the extended scan codes the engine's key codes
// follow. Every other key the game reads is the same in both.
struct ExtendedKey {
    int kernelCode;
    int engineCode;
};
constexpr ExtendedKey kArrowKeys[] = {{103, 200}, {105, 203}, {106, 205}, {108, 208}};

// X buttons are 1 left, 2 middle, 3 right; the engine's 0 left, 1 right,
// 2 middle. X has no mask for a fourth button (4 and 5 are the wheel), so
// engine button 3 always reads up.
constexpr unsigned kButtonMasks[kMouseButtons] = {Button1Mask, Button3Mask, Button2Mask, 0};

// Per-key values indexed by X keycode into the engine's key codes.
void ToEngineCodes(const uint8_t byKeycode[256], uint8_t out[kKeyCount]) {
    for (int code = 0; code < kKeyCount; ++code) {
        const int keycode = code + kKeycodeOffset;
        out[code] = keycode < 256 ? byKeycode[keycode] : 0;
    }
    for (const ExtendedKey& key : kArrowKeys) {
        out[key.engineCode] = out[key.kernelCode];
        out[key.kernelCode] = 0;
    }
}

// The parent of window, or 0 when it has none or has gone.
Window ParentOf(Display* display, Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    if (children) XFree(children);
    return parent;
}

}  // namespace

X11Input::~X11Input() {
    Close();
}

bool X11Input::Open(unsigned long window) {
    Close();
    if (window == 0) return false;
    display_ = XOpenDisplay(nullptr);
    if (!display_) return false;
    XWindowAttributes attributes{};
    bool found = false;
    {
        XErrorTrap trap(display_);
        found = XGetWindowAttributes(display_, window, &attributes) && !trap.Failed();
    }
    if (!found) {
        Close();
        return false;
    }
    window_ = window;
    root_ = attributes.root;
    // Without raw key events, presses are told from the keymap's changes alone.
    keyEvents_.Open(DisplayString(display_));
    for (uint8_t& down : lastKeys_) down = 0;
    warpsIgnored_ = IsXwayland(display_) && rawTravel_.Open(display_, root_);
    return true;
}

void X11Input::Close() {
    keyEvents_.Close();
    rawTravel_.Close();
    warpsIgnored_ = false;
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
    window_ = root_ = 0;
}

unsigned long X11Input::TopLevel() {
    Window window = window_;
    for (;;) {
        const Window parent = ParentOf(display_, window);
        if (parent == 0) return 0;
        if (parent == root_) return window;
        window = parent;
    }
}

bool X11Input::IsInside(unsigned long window, unsigned long ancestor) {
    while (window != 0 && window != root_) {
        if (window == ancestor) return true;
        window = ParentOf(display_, window);
    }
    return false;
}

unsigned long X11Input::TopLevelUnderPointer() {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (!XQueryPointer(display_, root_, &root, &child, &rootX, &rootY, &x, &y, &mask)) return 0;
    return child;
}

bool X11Input::HasFocus() {
    if (!display_) return false;
    XErrorTrap trap(display_);
    const Window topLevel = TopLevel();
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display_, &focus, &revertTo);
    bool focused = false;
    if (topLevel == 0 || focus == None) {
        focused = false;
    } else if (focus == PointerRoot) {
        focused = TopLevelUnderPointer() == topLevel;
    } else {
        focused = IsInside(focus, topLevel);
    }
    const bool ours = !trap.Failed() && focused;
    // Without the focus the pointer is the player's again: no pin, no hidden
    // cursor; and the keys typed meanwhile were for another window.
    if (!ours) {
        rawTravel_.Stop();
        keyEvents_.Drop();
    }
    return ours;
}

bool X11Input::ReadKeys(uint8_t keys[kKeyCount], uint8_t presses[kKeyCount]) {
    if (!display_) return false;
    char bits[32] = {};
    XErrorTrap trap(display_);
    XQueryKeymap(display_, bits);
    if (trap.Failed()) return false;
    uint8_t down[256] = {}, pressed[256] = {};
    for (int keycode = 0; keycode < 256; ++keycode)
        down[keycode] = (bits[keycode >> 3] >> (keycode & 7) & 1) ? 0x80 : 0;
    keyEvents_.Take(pressed);
    // Without the keyboard's events, a key found down that was up at the
    // last read went down at least once. With them, the events alone count:
    // the keymap comes over another connection, so a key that goes down
    // between the two reads is an event now and a change of the keymap at
    // the next read, and would count twice.
    if (!keyEvents_.Listening()) {
        for (int keycode = 0; keycode < 256; ++keycode)
            if (down[keycode] && !lastKeys_[keycode]) pressed[keycode] = 1;
    }
    std::copy(std::begin(down), std::end(down), std::begin(lastKeys_));
    ToEngineCodes(down, keys);
    ToEngineCodes(pressed, presses);
    return true;
}

bool X11Input::ReadPointer(PointerSample& sample) {
    // A read without a pin ends the one before.
    rawTravel_.Stop();
    return QueryPointer(sample);
}

bool X11Input::QueryPointer(PointerSample& sample) {
    if (!display_) return false;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    XErrorTrap trap(display_);
    const Bool sameScreen =
        XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &x, &y, &mask);
    if (trap.Failed() || !sameScreen) return false;
    sample.screenX = rootX;
    sample.screenY = rootY;
    sample.clientX = x;
    sample.clientY = y;
    for (int b = 0; b < kMouseButtons; ++b) sample.buttons[b] = (mask & kButtonMasks[b]) != 0;
    return true;
}

bool X11Input::WarpPointer(int32_t screenX, int32_t screenY, PointerSample& before) {
    if (!display_) return false;
    if (warpsIgnored_) return PinByRawTravel(screenX, screenY, before);
    // With the server held, no other client's motion (the player's mouse, or
    // a test's XTest events) can slip in between the read and the warp.
    XGrabServer(display_);
    const bool read = QueryPointer(before);
    XErrorTrap trap(display_);
    if (read) XWarpPointer(display_, None, root_, 0, 0, 0, 0, screenX, screenY);
    XUngrabServer(display_);
    trap.Sync();
    return read && !trap.Failed();
}

bool X11Input::PinByRawTravel(int32_t screenX, int32_t screenY, PointerSample& before) {
    if (!rawTravel_.Running()) {
        // The first pinned read: the pointer is still where the hand put it,
        // and the travel counts from here on.
        rawTravel_.Start();
        return QueryPointer(before);
    }
    if (!QueryPointer(before)) return false;
    int32_t dx = 0, dy = 0;
    rawTravel_.Collect(dx, dy);
    before.clientX += screenX + dx - before.screenX;
    before.clientY += screenY + dy - before.screenY;
    before.screenX = screenX + dx;
    before.screenY = screenY + dy;
    return true;
}

}  // namespace input
