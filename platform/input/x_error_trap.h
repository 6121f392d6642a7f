// Xlib reports a protocol error (a window that vanished under us, say) to a
// process-wide handler whose default prints and exits. The input module's
// own connection must survive the game window's destruction, so its calls run
// inside a trap that records errors of that one connection and hands errors
// of any other connection on to whatever handler was installed before.
// One trap at a time: the library is single-threaded and traps do not nest.
// Ask Failed() before the trap goes. A call that waits for the server's
// reply has had its error reported by the time it returns; after a call
// without a reply, Sync() first.
#pragma once

#include <X11/Xlib.h>

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Whether any call answered so far failed.
    bool Failed() const { return failed_; }
    // Waits for the server to answer every request sent so far.
    void Sync();

private:
    static int Handle(Display* display, XErrorEvent* event);

    Display* display_;
    bool failed_ = false;
    XErrorHandler previousHandler_;
};
