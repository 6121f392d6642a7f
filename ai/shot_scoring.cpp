#include "ai/shot_scoring.h"

#include "ai/pot_lines.h"

namespace ai {

namespace {

constexpr float kTurnKeptValue = 60.0f;
constexpr float kStrikerLostValue = -30.0f;
constexpr float kDrawValue = -5.0f * kPointValue;  // a draw throws away a likely win
constexpr float kLeaveWeight = 40.0f;

}  // namespace

float PointsValue(const GameState& before, const ShotResult& r) {
    const int side = before.currentPlayer;
    const int other = 1 - side;
    const int won = r.points[side] - before.points[side];
    const int given = r.points[other] - before.points[other];
    return kPointValue * static_cast<float>(won - given);
}

Judgement Judge(const GameState& before, const ShotResult& r, const GameState& after,
                bool weighLeave) {
    const int side = before.currentPlayer;
    Judgement j;
    j.strikerKept = !r.strikerFell;
    if (r.winner == side) {
        j.value = kDecidedValue;
        return j;
    }
    if (r.winner == kWinnerDraw) {
        j.value = kDrawValue;
        return j;
    }
    if (r.winner != kNoWinner) {
        j.value = -kDecidedValue;
        return j;
    }
    j.value = PointsValue(before, r);
    if (r.strikerFell) j.value += kStrikerLostValue;
    if (r.turnKept) j.value += kTurnKeptValue;
    if (weighLeave) {
        // The side to move after the shot is the shooter again only if the
        // turn was kept.
        const float chances = kLeaveWeight * PottingChances(after);
        j.value += r.turnKept ? chances : -chances;
    }
    return j;
}

}  // namespace ai
