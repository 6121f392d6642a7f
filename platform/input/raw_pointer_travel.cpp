#include "platform/input/raw_pointer_travel.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/input/xi_events.h"

namespace input {

namespace {

// XInput 2.1 or later: from 2.1 on raw motion reaches the root window's
// listeners even while another client holds a grab, as the window's client
// (or the window manager) holds the implicit grab of the aiming button. The
// version is asked for once per connection, always the same.
bool HasRawMotion(Display* display, int& opcode) {
    int event = 0, error = 0, major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return false;
    if (XIQueryVersion(display, &major, &minor) != Success) return false;
    return major > 2 || (major == 2 && minor >= 1);
}

}  // namespace

bool IsXwayland(Display* display) {
    int opcode = 0, event = 0, error = 0;
    if (XQueryExtension(display, "XWAYLAND", &opcode, &event, &error)) return true;
    if (!HasRawMotion(display, opcode)) return false;
    // Before the extension (Xwayland 23.1), its input devices' names tell.
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    bool found = false;
    for (int d = 0; d < count && !found; ++d)
        found = std::string_view(devices[d].name).starts_with("xwayland-");
    if (devices) XIFreeDeviceInfo(devices);
    return found;
}

bool RawPointerTravel::Open(Display* display, unsigned long root) {
    Close();
    if (!HasRawMotion(display, opcode_)) return false;
    // The cursor is hidden through XFixes 4; without it the travel still counts.
    int fixesEvent = 0, fixesError = 0, fixesMajor = 4, fixesMinor = 0;
    canHide_ = XFixesQueryExtension(display, &fixesEvent, &fixesError) &&
               XFixesQueryVersion(display, &fixesMajor, &fixesMinor) && fixesMajor >= 4;
    display_ = display;
    root_ = root;
    return true;
}

void RawPointerTravel::Close() {
    Stop();
    display_ = nullptr;
    root_ = 0;
}

void RawPointerTravel::Start() {
    if (!display_ || running_) return;
    // The devices whose axes are relative; an absolute one (a tablet, a
    // touch screen) reports positions, not travel.
    relative_.clear();
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display_, XIAllDevices, &count);
    for (int d = 0; d < count; ++d) {
        const XIDeviceInfo& device = devices[d];
        if (device.use != XISlavePointer) continue;
        bool relative = false;
        for (int c = 0; c < device.num_classes; ++c) {
            const XIAnyClassInfo* info = device.classes[c];
            if (info->type != XIValuatorClass) continue;
            const auto* valuator = reinterpret_cast<const XIValuatorClassInfo*>(info);
            if (valuator->number <= 1 && valuator->mode == XIModeRelative) relative = true;
        }
        if (relative) relative_.push_back(device.deviceid);
    }
    if (devices) XIFreeDeviceInfo(devices);

    ListenAndHide(true);
    running_ = true;
    Drain();
    dx_ = dy_ = 0;
}

void RawPointerTravel::Collect(int32_t& dx, int32_t& dy) {
    dx = dy = 0;
    if (!running_) return;
    XSync(display_, False);
    Drain();
    dx = int32_t(std::trunc(dx_));
    dy = int32_t(std::trunc(dy_));
    dx_ -= dx;
    dy_ -= dy;
}

void RawPointerTravel::Stop() {
    if (!running_) return;
    ListenAndHide(false);
    running_ = false;
    Drain();
}

void RawPointerTravel::ListenAndHide(bool on) {
    unsigned char mask[XIMaskLen(XI_RawMotion)] = {};
    if (on) XISetMask(mask, XI_RawMotion);
    XIEventMask events{XIAllMasterDevices, int(sizeof mask), mask};
    XISelectEvents(display_, root_, &events, 1);
    if (canHide_) on ? XFixesHideCursor(display_, root_) : XFixesShowCursor(display_, root_);
    XSync(display_, False);
}

bool RawPointerTravel::IsRelativePointer(int device) {
    return std::find(relative_.begin(), relative_.end(), device) != relative_.end();
}

void RawPointerTravel::Drain() {
    DrainXIEvents(display_, opcode_, [&](int type, const void* data) {
        if (!running_ || type != XI_RawMotion) return;
        const auto* raw = static_cast<const XIRawEvent*>(data);
        if (!IsRelativePointer(raw->sourceid)) return;
        // The values after the server's acceleration: the travel the
        // pointer itself would have made.
        const double* value = raw->valuators.values;
        for (int axis = 0; axis < raw->valuators.mask_len * 8; ++axis) {
            if (!XIMaskIsSet(raw->valuators.mask, axis)) continue;
            if (axis == 0) dx_ += *value;
            if (axis == 1) dy_ += *value;
            ++value;
        }
    });
}

}  // namespace input
