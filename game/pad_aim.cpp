#include "game/pad_aim.h"

#include <algorithm>
#include <cmath>

namespace {

// The steps a second one axis gives: 0 inside the dead zone, then rising
// with the square of the push to the keys' repeat rate at the end.
float StepRate(float axis) {
    const float push = (std::min(std::fabs(axis), 1.0f) - kPadDeadZone) / (1.0f - kPadDeadZone);
    if (!(push > 0.0f)) return 0.0f;
    return push * push * kKeyRepeatRate;
}

}  // namespace

void AddPadSteps(const AimPad& pad, float seconds, float steps[kAimKeyCount]) {
    const float across = StepRate(pad.x) * seconds;
    const float along = StepRate(pad.y) * seconds;
    steps[pad.x < 0 ? kAimKeyLeft : kAimKeyRight] += across;
    steps[pad.y < 0 ? kAimKeyUp : kAimKeyDown] += along;
}
