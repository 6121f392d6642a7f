// Input devices that answer what a test tells them, and count what the
// input module asked of them.
#pragma once

#include <cstring>

#include "platform/input/input_devices.h"

struct FakeDeviceState {
    bool opens = true;
    bool joystickAttached = false;
    bool focused = true;
    bool keysReadable = true;
    bool pointerReadable = true;
    bool stickAnswers = true;
    uint8_t keys[input::kKeyCount] = {};
    uint8_t presses[input::kKeyCount] = {};  // reported once, then cleared
    input::PointerSample pointer;
    input::JoystickSample stick;
    int joystickReads = 0;
    int warps = 0;
};

class FakeInputDevices final : public input::InputDevices {
public:
    explicit FakeInputDevices(FakeDeviceState& state) : state_(state) {}

    bool Open(unsigned long) override { return state_.opens; }
    bool OpenJoystick() override { return state_.joystickAttached; }
    bool HasFocus() override { return state_.focused; }
    bool ReadKeys(uint8_t keys[input::kKeyCount], uint8_t presses[input::kKeyCount]) override {
        if (!state_.keysReadable) return false;
        std::memcpy(keys, state_.keys, input::kKeyCount);
        std::memcpy(presses, state_.presses, input::kKeyCount);
        std::memset(state_.presses, 0, input::kKeyCount);
        return true;
    }
    bool ReadPointer(input::PointerSample& sample) override {
        if (!state_.pointerReadable) return false;
        sample = state_.pointer;
        return true;
    }
    bool WarpPointer(int32_t x, int32_t y, input::PointerSample& before) override {
        ++state_.warps;
        before = state_.pointer;
        state_.pointer.clientX += x - state_.pointer.screenX;
        state_.pointer.clientY += y - state_.pointer.screenY;
        state_.pointer.screenX = x;
        state_.pointer.screenY = y;
        return true;
    }
    bool ReadJoystick(input::JoystickSample& sample) override {
        ++state_.joystickReads;
        if (!state_.joystickAttached || !state_.stickAnswers) return false;
        sample = state_.stick;
        return true;
    }
    void Close() override {}

private:
    FakeDeviceState& state_;
};
