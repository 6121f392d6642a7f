#include "platform/input/xi_events.h"

#include <X11/Xlib.h>

namespace input {

void DrainXIEvents(Display* display, int opcode,
                   const std::function<void(int type, const void* data)>& handle) {
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != opcode) continue;
        if (!XGetEventData(display, &cookie)) continue;
        handle(cookie.evtype, cookie.data);
        XFreeEventData(display, &cookie);
    }
}

}  // namespace input
