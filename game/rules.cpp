#include "game/rules.h"

#include "game/game_sound.h"
#include "game/practice.h"
#include "game/table_layout.h"

namespace {

constexpr int kFirstReturnSlot = 20;
constexpr int kLastReturnSlot = 2;  // slot 1 is never used for a returned disc

void FirePoint(GameState& g, int kind) {
    if (g.outputs.events.point) g.outputs.events.point(kind);
}

// A fallen striker puts one of the shooter's pocketed discs back on the
// highest free slot, and takes its point back.
void ReturnDiscAfterYellow(GameState& g) {
    DiscColor color;
    if (g.yellowFellBy == kSideGreen) {
        color = kColorGreen;
    } else if (g.yellowFellBy == kSideRed) {
        color = kColorRed;
    } else {
        return;
    }
    for (int k = 1; k < kDiscCount; ++k) {
        Disc& d = g.discs[k];
        if (d.status != kStatusPocketed || d.color != color) continue;
        for (int slot = kFirstReturnSlot; slot >= kLastReturnSlot; --slot) {
            if (!PlaceOnSlot(g, k, slot, false)) continue;
            g.discReturned = 1;
            g.returnedDisc = k;
            g.returnedSlot = slot;
            g.shotOutcome = kOutcomeFoul;
            const int side = color - kColorGreen;
            --g.points[side];
            FirePoint(g, side == kSideGreen ? 1 : 2);
            return;
        }
    }
}

void NotifyVictory(GameState& g, int result) {
    if (g.mode != kModePractice && g.outputs.events.decided) g.outputs.events.decided(result);
}

void CheckVictory(GameState& g) {
    if (g.winner != kNoWinner) return;
    const bool greenDone = g.points[kSideGreen] == kPointsToWin;
    const bool redDone = g.points[kSideRed] == kPointsToWin;
    if (greenDone && redDone) {
        NotifyVictory(g, 0);
        AnnounceResult(g, kWinnerDraw);
    } else if (greenDone) {
        NotifyVictory(g, 1);
        AnnounceResult(g, kSideGreen);
        if (g.mode == kModePractice) PracticeLevelCleared(g);
    } else if (redDone) {
        NotifyVictory(g, 2);
        AnnounceResult(g, kSideRed);
    }
}

// The turn clock and the outcome of the last shot, only on the machine of
// the player whose turn it is.
void RunTurn(GameState& g) {
    if (++g.turnFrames == kStepsPerSecond) {
        g.turnFrames = 0;
        if (++g.turnSeconds == kTurnSeconds) {
            g.turnSeconds = 0;
            PassTurn(g, true);
        }
    }
    if (g.turnFrames % kAimBroadcastInterval == 0 && g.shotOutcome == kOutcomeNone &&
        g.outputs.events.aiming) {
        const AimState& a = g.aim;
        g.outputs.events.aiming(a.aimZ, a.aimX, a.aimForce, a.aimAngle, static_cast<float>(a.aimPhase));
    }
    if (g.shotOutcome == kOutcomeNone) return;
    if (g.mode == kModePractice && PracticeChargeTry(g)) return;
    if (!g.remoteShot && g.shotOutcome != kOutcomeOwnDisc) PassTurn(g, true);
    g.shotOutcome = kOutcomeNone;
}

}  // namespace

void StartMatch(GameState& g, int seat, int seed) {
    ResetTable(g);
    g.currentPlayer = kSideGreen;
    g.localSeat = seat == 1 ? kSideGreen : seat == 2 ? kSideRed : kSeatSpectator;
    g.mode = kModeMatch;
    g.tableRandom = RandomSequence(static_cast<uint32_t>(seed));
    StandardLayout(g);
    if (g.musicOn) SoundOf(g).StartGameMusic(RandomGameTrack(g), kRepeatForever);
    SoundOf(g).PlayEffect(kEffectMatchStart);
}

bool PassTurn(GameState& g, bool notify) {
    if (g.isMoving) {
        g.turnFrames = g.turnSeconds = 0;
        return false;
    }
    g.currentPlayer = g.currentPlayer == kSideGreen ? kSideRed : kSideGreen;
    if (notify && g.outputs.events.turnChanged) g.outputs.events.turnChanged(g.currentPlayer);
    g.turnFrames = g.turnSeconds = 0;
    return true;
}

void ScorePocketedDisc(GameState& g, int disc) {
    const DiscColor color = g.discs[disc].color;
    if (color == kColorYellow) {
        g.shotOutcome = kOutcomeYellowFell;
        g.yellowFellBy = g.currentPlayer;
        return;
    }
    if (color != kColorGreen && color != kColorRed) return;

    const int side = color - kColorGreen;
    if (g.currentPlayer != kSideGreen && g.currentPlayer != kSideRed) return;
    ++g.points[side];
    if (side == g.currentPlayer) {
        if (g.shotOutcome < kOutcomeFoul) g.shotOutcome = kOutcomeOwnDisc;
        FirePoint(g, side == kSideGreen ? 0 : 2);
    } else {
        if (g.shotOutcome != kOutcomeYellowFell) g.shotOutcome = kOutcomeFoul;
        FirePoint(g, 1);
    }
}

void RunEndOfShot(GameState& g) {
    if (g.shotOutcome == kOutcomeYellowFell) ReturnDiscAfterYellow(g);
    CheckVictory(g);
    if (g.currentPlayer == g.localSeat && g.winner == kNoWinner) RunTurn(g);
}

void AnnounceResult(GameState& g, uint8_t winner) {
    g.winner = winner;
    g.shotOutcome = kOutcomeNone;
    if (g.musicOn) SoundOf(g).StopMusic();
    if (!g.audioOn) return;
    if (winner == kWinnerDraw) {
        SoundOf(g).PlayEffect(kEffectDraw);
    } else {
        const bool heard = g.localSeat == kSeatSpectator || g.localSeat == winner;
        SoundOf(g).PlayEffect(heard ? kEffectWin : kEffectLose);
    }
}
