#include "engine/services/vex_input.h"

#include <algorithm>
#include <cmath>

#include "base/debug_log.h"

using input::kAxisLimit;
using input::kJoystickButtons;
using input::kKeyCount;
using input::kMouseButtons;

namespace {

int16_t ToShort(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

// Real to virtual: divided by the device's ratio and truncated. A ratio
// that is not positive (no device yet) leaves the position as it is.
int16_t ToVirtual(int16_t real, float ratio) {
    if (!(ratio > 0.0f)) return real;
    return ToShort(static_cast<int32_t>(std::trunc(std::clamp(real / ratio, -32768.0f, 32767.0f))));
}

}  // namespace

VEX_Input::VEX_Input() : VEX_Input(input::CreateSystemInputDevices()) {}

VEX_Input::VEX_Input(std::unique_ptr<input::InputDevices> devices) : devices_(std::move(devices)) {
    Log().ModuleStarting("VEX_Input");
    Log().ReportOk();
}

VEX_Input::~VEX_Input() {
    Log().ModuleFinishing("VEX_Input");
    devices_->Close();
    Log().ReportOk();
}

bool VEX_Input::StartInput(unsigned long window) {
    Log().ModuleStarting("VEX_Input");
    started_ = devices_->Open(window);
    if (!started_) {
        Log().ReportFailed();
        return false;
    }
    joystickPresent_ = devices_->OpenJoystick();
    if (joystickPresent_) Log().WriteText("Encontrado dispositivo de Joystick. ");
    Log().ReportOk();
    return true;
}

void VEX_Input::UpdateInput(float ratioX, float ratioY) {
    if (!started_) return;
    ReadKeyboardAndMouse(ratioX, ratioY);
    ReadJoystick();
}

void VEX_Input::ReadKeyboardAndMouse(float ratioX, float ratioY) {
    uint8_t keys[kKeyCount] = {};
    input::PointerSample pointer;
    const bool focused = devices_->HasFocus();
    if (!(focused && devices_->ReadKeys(keys, presses_))) {
        std::fill(std::begin(keys), std::end(keys), 0);
        std::fill(std::begin(presses_), std::end(presses_), 0);
    }
    const bool pointerRead = focused && SamplePointer(pointer);
    pin_.reset();

    // A tap that began and ended since the last read is down for this one.
    for (int k = 0; k < kKeyCount; ++k) keys_[k].Update((keys[k] & 0x80) != 0 || presses_[k] > 0);
    for (int b = 0; b < kMouseButtons; ++b) mouse_[b].Update(pointerRead && pointer.buttons[b]);

    if (!pointerRead) {
        // The pointer may wander anywhere meanwhile; the next read starts
        // afresh instead of counting that as movement.
        haveBase_ = false;
        bankedX_ = bankedY_ = 0;
        moveX_ = moveY_ = 0;
        return;
    }
    BankTravel(pointer);
    moveX_ = ToShort(bankedX_);
    moveY_ = ToShort(bankedY_);
    bankedX_ = bankedY_ = 0;
    cursorX_ = ToShort(pointer.clientX);
    cursorY_ = ToShort(pointer.clientY);
    virtualX_ = ToVirtual(cursorX_, ratioX);
    virtualY_ = ToVirtual(cursorY_, ratioY);
}

void VEX_Input::BankTravel(const input::PointerSample& sample) {
    if (haveBase_) {
        bankedX_ += sample.screenX - baseX_;
        bankedY_ += sample.screenY - baseY_;
    }
    baseX_ = sample.screenX;
    baseY_ = sample.screenY;
    haveBase_ = true;
}

void VEX_Input::ReadJoystick() {
    input::JoystickSample stick;
    joystickPresent_ = devices_->ReadJoystick(stick);
    if (!joystickPresent_) stick = input::JoystickSample{};
    stickX_ = std::clamp(stick.x, -kAxisLimit, kAxisLimit);
    stickY_ = std::clamp(stick.y, -kAxisLimit, kAxisLimit);
    // Only the very ends of the range count as a direction.
    directions_[kJoystickLeft].Update(stick.x == -kAxisLimit);
    directions_[kJoystickRight].Update(stick.x == kAxisLimit);
    directions_[kJoystickUp].Update(stick.y == -kAxisLimit);
    directions_[kJoystickDown].Update(stick.y == kAxisLimit);
    for (int b = 0; b < kJoystickButtons; ++b) joystickButtons_[b].Update(stick.buttons[b]);
}

bool VEX_Input::MouseDown(int button) const {
    return button >= 0 && button < kMouseButtons && mouse_[button].down;
}

bool VEX_Input::MousePressed(int button) const {
    return button >= 0 && button < kMouseButtons && mouse_[button].pressed;
}

bool VEX_Input::JoystickButtonDown(int button) const {
    return button >= 0 && button < kJoystickButtons && joystickButtons_[button].down;
}

bool VEX_Input::JoystickButtonPressed(int button) const {
    return button >= 0 && button < kJoystickButtons && joystickButtons_[button].pressed;
}

bool VEX_Input::ScreenCursor(int32_t& x, int32_t& y) const {
    if (!haveBase_) return false;
    x = baseX_;
    y = baseY_;
    return true;
}

void VEX_Input::PinCursor(int32_t x, int32_t y) {
    pin_.emplace(x, y);
}

bool VEX_Input::SamplePointer(input::PointerSample& sample) {
    if (!pin_) return devices_->ReadPointer(sample);
    const auto [x, y] = *pin_;
    if (!devices_->WarpPointer(x, y, sample)) return false;
    // The travel up to the warp is the player's; the warp itself is not.
    BankTravel(sample);
    sample.clientX += x - sample.screenX;
    sample.clientY += y - sample.screenY;
    sample.screenX = baseX_ = x;
    sample.screenY = baseY_ = y;
    return true;
}
