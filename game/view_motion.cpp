#include "game/view_motion.h"

#include <algorithm>
#include <cmath>

#include "game/presentation.h"

namespace {

constexpr float kTurnDivisor = 2.5f;  // times the mouse sensitivity
constexpr float kPlayerYawLimit = 0.8f;
constexpr float kPitchLow = -0.8f, kPitchHigh = 0.4f;
constexpr float kCelebrationSpin = 0.15f;  // radians a second
constexpr float kIntroSpin = 0.3f;

bool MayTurn(const GameState& g) {
    return g.hasFocus && g.mode != kModeIdle && g.aim.aimPhase == kAimPlacing &&
           g.winner == kNoWinner && !g.paused;
}

}  // namespace

void TurnViewByMouse(GameState& g, const FrameInput& input) {
    if (!MayTurn(g)) return;
    const float s = g.mouseSensitivity;
    // A zero, negative or unset sensitivity would turn the view to infinity
    // or NaN, which no limit below catches; the view then stays put.
    if (input.rightButton && s > 0 && std::isfinite(s)) {
        ViewRotation turned = g.view;
        turned.yaw += float(input.dx) / (s * kTurnDivisor);
        turned.pitch -= float(input.dy) / (s * kTurnDivisor);
        if (g.localSeat != kSeatSpectator)
            turned.yaw = std::clamp(turned.yaw, -kPlayerYawLimit, kPlayerYawLimit);
        turned.pitch = std::clamp(turned.pitch, kPitchLow, kPitchHigh);
        if (std::isfinite(turned.yaw) && std::isfinite(turned.pitch)) g.view = turned;
    }
    if (input.middleButton || (input.rightButton && input.shiftHeld)) g.view = ViewRotation{};
}

// The rhythm is drawn from the show's generator right after the launch,
// which draws from it too; a table without a picture launches nothing but
// keeps the rhythm all the same.
void Celebrate(GameState& g, float frameSeconds) {
    if (g.winner == kNoWinner) return;
    g.view.yaw += frameSeconds * kCelebrationSpin;
    ShowTimers& t = g.show;
    t.fireworkTimer += frameSeconds;
    if (t.fireworkTimer < t.fireworkInterval) return;
    PresentationOf(g).LaunchFirework(g);
    t.fireworkTimer = 0;
    const bool cheering = g.winner == g.localSeat || g.localSeat == kSeatSpectator;
    t.fireworkInterval = cheering ? float(g.showRandom.Next() % 4000) / 10000 + 0.3f
                                  : float(g.showRandom.Next() % 8000) / 10000 + 0.8f;
}

void TurnIntroView(GameState& g, float frameSeconds) {
    g.view.yaw += frameSeconds * kIntroSpin;
    g.view.pitch = 0;
}
