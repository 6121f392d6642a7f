// The input devices of a Linux desktop: X11 for the keyboard and the mouse,
// SDL2 for the joystick.
#include "base/memory_tracker.h"
#include "platform/input/input_devices.h"
#include "platform/input/sdl_joystick.h"
#include "platform/input/x11_input.h"

namespace input {

namespace {

class SystemInputDevices final : public InputDevices, public TrackedObject {
public:
    bool Open(unsigned long window) override { return desktop_.Open(window); }
    bool OpenJoystick() override { return joystick_.Open(); }
    bool HasFocus() override { return desktop_.HasFocus(); }
    bool ReadKeys(uint8_t keys[kKeyCount], uint8_t presses[kKeyCount]) override {
        return desktop_.ReadKeys(keys, presses);
    }
    bool ReadPointer(PointerSample& sample) override { return desktop_.ReadPointer(sample); }
    bool WarpPointer(int32_t x, int32_t y, PointerSample& before) override {
        return desktop_.WarpPointer(x, y, before);
    }
    bool ReadJoystick(JoystickSample& sample) override { return joystick_.Read(sample); }
    void Close() override {
        joystick_.Close();
        desktop_.Close();
    }

private:
    X11Input desktop_;
    SdlJoystick joystick_;
};

}  // namespace

std::unique_ptr<InputDevices> CreateSystemInputDevices() {
    return std::make_unique<SystemInputDevices>();
}

}  // namespace input
