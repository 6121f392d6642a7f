#include "scene/view_motion.h"

#include <algorithm>
#include <cmath>

#include "game/game_random.h"
#include "scene/input_codes.h"

namespace {

constexpr float kTurnDivisor = 2.5f;  // times the mouse sensitivity
constexpr float kPlayerYawLimit = 0.8f;
constexpr float kPitchLow = -0.8f, kPitchHigh = 0.4f;
constexpr float kCelebrationSpin = 0.15f;  // radians a second
constexpr float kIntroSpin = 0.3f;
constexpr float kHelpFadeRate = 512.0f;  // alpha a second

bool ShiftHeld() {
    return Input().KeyDown(kKeyLeftShift) || Input().KeyDown(kKeyRightShift);
}

bool MayTurn(const GameState& g) {
    return g.hasFocus && g.mode != kModeIdle && g.aim.aimPhase == kAimPlacing &&
           g.winner == kNoWinner && !g.paused;
}

}  // namespace

void TurnViewByMouse(GameState& g) {
    if (!MayTurn(g)) return;
    VEX_Input& input = Input();
    const bool right = input.MouseDown(kMouseRight);
    const float s = g.mouseSensitivity;
    // A zero, negative or unset sensitivity would turn the view to infinity
    // or NaN, which no limit below catches; the view then stays put.
    if (right && s > 0 && std::isfinite(s)) {
        ViewRotation turned = g.view;
        turned.yaw += float(input.MouseMoveX()) / (s * kTurnDivisor);
        turned.pitch -= float(input.MouseMoveY()) / (s * kTurnDivisor);
        if (g.localSeat != kSeatSpectator)
            turned.yaw = std::clamp(turned.yaw, -kPlayerYawLimit, kPlayerYawLimit);
        turned.pitch = std::clamp(turned.pitch, kPitchLow, kPitchHigh);
        if (std::isfinite(turned.yaw) && std::isfinite(turned.pitch)) g.view = turned;
    }
    if (input.MouseDown(kMouseMiddle) || (right && ShiftHeld())) g.view = ViewRotation{};
}

void Celebrate(GameState& g, Scene& scene, float frameSeconds) {
    if (g.winner == kNoWinner) return;
    g.view.yaw += frameSeconds * kCelebrationSpin;
    SceneCounters& c = scene.counters;
    c.fireworkTimer += frameSeconds;
    if (c.fireworkTimer < c.fireworkInterval) return;
    scene.fireworks->LaunchRocket();
    c.fireworkTimer = 0;
    const bool cheering = g.winner == g.localSeat || g.localSeat == kSeatSpectator;
    c.fireworkInterval = cheering ? float(GameRandom() % 4000) / 10000 + 0.3f
                                  : float(GameRandom() % 8000) / 10000 + 0.8f;
}

void TurnIntroView(GameState& g, float frameSeconds) {
    g.view.yaw += frameSeconds * kIntroSpin;
    g.view.pitch = 0;
}

void FadeHelp(const GameState& g, Scene& scene, float frameSeconds) {
    float& alpha = scene.counters.helpAlpha;
    if (g.hasFocus && Input().KeyDown(kKeyF1))
        alpha = std::min(255.0f, alpha + frameSeconds * kHelpFadeRate);
    else
        alpha = std::max(0.0f, alpha - frameSeconds * kHelpFadeRate);
}
