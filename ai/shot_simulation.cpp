#include "ai/shot_simulation.h"

#include "game/physics.h"
#include "game/shot_control.h"

namespace ai {

namespace {

// The moving-step limit stops any shot; the two extra steps are the one that
// stops it and the still step that scores it and passes the turn.
constexpr int kStepLimit = kMovingStepLimit + 2;

}  // namespace

ShotResult SimulateShot(const GameState& table, const Shot& shot) {
    GameState after;
    return SimulateShot(table, shot, after);
}

ShotResult SimulateShot(const GameState& table, const Shot& shot, GameState& after) {
    after = table;
    // Nobody hears or sees a simulated shot: the copy has no outputs, so a
    // search on another thread touches nothing the game's own thread uses.
    after.outputs = GameOutputs{};
    after.localSeat = after.currentPlayer;  // the shooter's machine decides the turn
    after.discReturned = 0;
    after.audioOn = after.musicOn = 0;
    // Practice bookkeeping would count tries and enter best plays; the match
    // rules move and score the discs the same way without it.
    if (after.mode == kModePractice) after.mode = kModeMatch;

    const int shooter = after.currentPlayer;
    const DiscColor own = shooter == kSideGreen ? kColorGreen : kColorRed;
    ShotResult r;
    FireShot(after, shot.x, shot.z, shot.force, shot.angle);
    for (int step = 0; step < kStepLimit; ++step) {
        StepPhysics(after);
        if (after.discs[kStriker].status == kStatusPocketed) r.strikerFell = true;
        if (!after.isMoving) break;
    }
    for (int k = 1; k < kDiscCount; ++k) {
        const bool fell =
            table.discs[k].status == kStatusOnTable && after.discs[k].status == kStatusPocketed;
        if (fell) ++(after.discs[k].color == own ? r.ownPocketed : r.otherPocketed);
    }
    r.discReturned = after.discReturned;
    r.turnKept = after.currentPlayer == shooter;
    r.points[0] = after.points[0];
    r.points[1] = after.points[1];
    r.winner = after.winner;
    return r;
}

}  // namespace ai
