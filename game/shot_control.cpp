#include "game/shot_control.h"

#include <algorithm>
#include <cmath>

#include "game/game_sound.h"
#include "game/play_mode.h"
#include "game/quantize.h"
#include "game/stable_math.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"

namespace {

constexpr float kCoarseAngleDivisor = 0.8f;
constexpr float kCoarseForceDivisor = 0.15f;
constexpr float kFineAngleDivisor = 3.5f;
constexpr float kFineForceDivisor = 3.0f;  // applied as sensitivity / 3
constexpr float kForceToSpeed = 2.5f;
constexpr int kShotSoundBase = 192;
constexpr float kShotSoundFactor = 6.4f;
constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kFreeSpot = 1.0f;
constexpr float kBlockedSpot = 0.5f;

float PlacementAlpha(const GameState& g, float x, float z) {
    if (g.isMoving || !InShootingZone(g, x, z)) return kBlockedSpot;
    for (int k = 1; k < kDiscCount; ++k) {
        const float dx = g.discs[k].x - x;
        const float dz = g.discs[k].z - z;
        if (std::sqrt(dx * dx + dz * dz) < table::kDiscDiameter) return kBlockedSpot;
    }
    return kFreeSpot;
}

void AdjustAim(GameState& g, const FrameInput& input) {
    AimState& a = g.aim;
    const float s = g.mouseSensitivity;
    const float dx = static_cast<float>(input.dx);
    const float dy = static_cast<float>(input.dy);
    if (input.shiftHeld) {
        a.aimAngle -= dx / (s * kFineAngleDivisor);
        a.aimForce += dy / (s / kFineForceDivisor);
    } else {
        a.aimAngle -= dx / (s * kCoarseAngleDivisor);
        a.aimForce += dy / (s * kCoarseForceDivisor);
    }
    a.aimAngle += input.turn;
    a.aimForce += input.pull;
    a.aimAngle = std::clamp(a.aimAngle, -kAngleLimit, kAngleLimit);
    a.aimForce = std::clamp(a.aimForce, 0.0f, kForceLimit);
}

// Placing, pressing, aiming and releasing; only during this machine's own,
// undecided, focused and unpaused turn.
void HandleLocalAim(GameState& g, const FrameInput& input) {
    AimState& a = g.aim;
    a.placementAlpha = PlacementAlpha(g, a.aimX, a.aimZ);
    a.aimZ = std::clamp(a.aimZ, -table::kWallLimit, table::kWallLimit);
    a.aimX = std::clamp(a.aimX, -table::kWallLimit, table::kWallLimit);

    const bool freeSpot = a.placementAlpha == kFreeSpot;
    if (input.leftButton && freeSpot && a.aimPhase == kAimPlacing &&
        g.shotOutcome == kOutcomeNone) {
        a.aimPhase = kAimHolding;
        a.savedCursorX = input.cursorX;
        a.savedCursorY = input.cursorY;
    }
    if (!input.leftButton && a.aimPhase == kAimHolding) {
        a.shotX = Quantize16(a.aimX);
        a.shotZ = Quantize16(a.aimZ);
        a.shotForce = Quantize16(a.aimForce);
        a.shotAngle = Quantize16(a.aimAngle);
        a.aimPhase = kAimReleased;
    }
    if (input.leftButton && freeSpot && a.aimPhase == kAimHolding) AdjustAim(g, input);

    a.aimX = Quantize16(a.aimX);
    a.aimZ = Quantize16(a.aimZ);
    a.aimForce = Quantize16(a.aimForce);
    a.aimAngle = Quantize16(a.aimAngle);
}

// The released cue moves in; when it reaches the striker the shot is handed
// to the program, unless it was too weak to count.
void RunCue(GameState& g, float frameSeconds) {
    AimState& a = g.aim;
    if (a.aimPhase != kAimReleased) return;
    a.aimForce -= frameSeconds * kCueSpeed;
    if (a.aimForce > 0.0f) return;
    a.aimForce = 0.0f;
    a.aimAngle = 0.0f;
    a.aimPhase = kAimPlacing;
    if (a.shotForce > kMinimumShotForce && g.currentPlayer == g.localSeat && g.outputs.events.shotFired) {
        g.outputs.events.shotFired(a.shotX, a.shotZ, a.shotForce, a.shotAngle);
    }
}

}  // namespace

bool RunAimStep(GameState& g, const FrameInput& input) {
    if (!InPlay(g)) return false;
    AimState& a = g.aim;
    a.placementAlpha = kBlockedSpot;
    // A watched run is aimed by its recording, shown as another's aim.
    const bool ownTurn = g.currentPlayer == g.localSeat && !WatchedRun(g);
    if (!ownTurn && g.isMoving) g.peerAim.show = 0;

    if (input.tableHit) {
        a.aimX = input.tableX;
        a.aimZ = input.tableZ;
    }
    const bool aimAllowed = input.tableHit && a.aimPhase != kAimReleased && ownTurn &&
                            g.winner == kNoWinner && g.hasFocus && !g.paused;
    if (aimAllowed) HandleLocalAim(g, input);
    RunCue(g, input.frameSeconds);
    return aimAllowed;
}

bool FireShot(GameState& g, float x, float z, float force, float angle) {
    if (g.isMoving) return false;
    if (g.currentPlayer == kSideRed) angle -= kPi;  // each side aims from its own view
    const float a = -angle - kHalfPi;
    const float speed = force / kForceToSpeed;
    Disc& striker = g.discs[kStriker];
    striker.vx = StableCos(a) * speed;
    striker.vz = StableSin(a) * speed;
    striker.x = x;
    striker.z = z;
    striker.status = kStatusOnTable;

    // fmin/fmax also tame a force that arrived as garbage from a peer.
    const float volume = kShotSoundBase + std::trunc(force * kShotSoundFactor);
    SoundOf(g).PlayEffectAt(kEffectShot,
                            static_cast<int>(std::fmax(0.0f, std::fmin(255.0f, volume))));

    if (g.currentPlayer == g.localSeat) {
        g.remoteShot = 0;
        g.shotOutcome = kOutcomeRunning;
    } else {
        g.remoteShot = 1;
        g.shotOutcome = kOutcomeNone;
    }
    if (g.mode == kModePractice) {
        g.shotOutcome = kOutcomeNone;
        ++g.shotsTaken;
    }
    g.turnFrames = g.turnSeconds = 0;
    g.movingSteps = 0;
    return true;
}

void StorePeerAim(GameState& g, float z, float x, float force, float angle, uint8_t show) {
    g.peerAim.z = std::clamp(z, -table::kWallLimit, table::kWallLimit);
    g.peerAim.x = std::clamp(x, -table::kWallLimit, table::kWallLimit);
    g.peerAim.force = force;
    g.peerAim.angle = angle;
    g.peerAim.show = show;
}

void SetFocus(GameState& g, bool hasFocus) {
    g.hasFocus = hasFocus;
    if (!hasFocus) g.aim.aimPhase = kAimPlacing;
}
