#include "platform/input/x_error_trap.h"

#include <X11/Xlib.h>

namespace {

XErrorTrap* activeTrap = nullptr;

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    previousHandler_ = XSetErrorHandler(&XErrorTrap::Handle);
    activeTrap = this;
}

XErrorTrap::~XErrorTrap() {
    activeTrap = nullptr;
    XSetErrorHandler(previousHandler_);
}

void XErrorTrap::Sync() {
    XSync(display_, False);
}

int XErrorTrap::Handle(Display* display, XErrorEvent* event) {
    if (activeTrap && activeTrap->display_ == display) {
        activeTrap->failed_ = true;
        return 0;
    }
    return activeTrap && activeTrap->previousHandler_ ? activeTrap->previousHandler_(display, event)
                                                      : 0;
}
