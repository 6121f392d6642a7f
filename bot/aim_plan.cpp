#include "bot/aim_plan.h"

#include <algorithm>
#include <cmath>

#include "ai/shooting_line.h"

namespace {

constexpr float kCueSpeedPerTick = 90.0f / 60.0f;  // force units a tick while the cue runs in
constexpr float kPlaceShare = 0.3f;                // of the aim, sliding the striker to its spot
constexpr float kTurnShare = 0.5f;                 // turning and drawing the cue back

// Eases in and out, from 0 to 1.
float Ease(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float Between(float a, float b, float t) {
    return a + (b - a) * t;
}

}  // namespace

wire::Aim AimPlan::Resting(int side) {
    return {.z = ai::ShootingLineZ(side)};
}

AimPlan::AimPlan(const wire::Aim& from, const ai::Shot& shot, int aimTicks)
    : from_(from),
      shot_(shot),
      placeTicks_(static_cast<int>(static_cast<float>(aimTicks) * kPlaceShare)),
      holdTicks_(static_cast<int>(static_cast<float>(aimTicks) * kTurnShare)),
      releaseTick_(std::max(0, aimTicks)),
      cueTicks_(static_cast<int>(std::ceil(shot.force / kCueSpeedPerTick))) {}

wire::Aim AimPlan::At(int tick) const {
    wire::Aim a;
    if (tick < placeTicks_) {
        const float t = Ease(static_cast<float>(tick) / static_cast<float>(placeTicks_));
        a.x = Between(from_.x, shot_.x, t);
        a.z = Between(from_.z, shot_.z, t);
        return a;
    }
    a.x = shot_.x;
    a.z = shot_.z;
    if (tick < releaseTick_) {
        const float t =
            holdTicks_ > 0
                ? Ease(static_cast<float>(tick - placeTicks_) / static_cast<float>(holdTicks_))
                : 1.0f;
        a.phase = 1;
        a.angle = Between(0.0f, shot_.angle, t);
        a.force = Between(0.0f, shot_.force, t);
        return a;
    }
    a.phase = 2;
    a.angle = shot_.angle;
    a.force =
        std::max(0.0f, shot_.force - kCueSpeedPerTick * static_cast<float>(tick - releaseTick_));
    return a;
}
