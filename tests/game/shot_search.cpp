#include "tests/game/shot_search.h"

#include <cmath>

#include "game/game_sound.h"
#include "game/physics.h"
#include "game/shot_control.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"

ShotResult SimulateShot(const GameState& original, const CandidateShot& shot) {
    GameSound* previousSound = &Sound();
    SetGameSound(nullptr);
    GameState g = original;
    g.callbacks = GameCallbacks{};
    g.localSeat = g.currentPlayer;
    g.discReturned = 0;
    // Practice bookkeeping would enter best plays and write the records file;
    // the match rules move and score the discs the same way without it.
    if (g.mode == kModePractice) g.mode = kModeMatch;
    const int shooter = g.currentPlayer;
    const DiscColor own = shooter == kSideGreen ? kColorGreen : kColorRed;

    ShotResult r;
    bool onTable[kDiscCount];
    for (int k = 0; k < kDiscCount; ++k) onTable[k] = original.discs[k].status == kStatusOnTable;
    FireShot(g, shot.x, shot.z, shot.force, shot.angle);
    for (int step = 0; step < 3000; ++step) {
        StepPhysics(g);
        if (g.discs[kStriker].status == kStatusPocketed) r.strikerFell = true;
        if (!g.isMoving) break;
    }
    for (int k = 1; k < kDiscCount; ++k) {
        if (onTable[k] && g.discs[k].status == kStatusPocketed) {
            (g.discs[k].color == own ? r.ownPocketed : r.otherPocketed)++;
        }
    }
    r.discReturned = g.discReturned;
    r.turnKept = g.currentPlayer == shooter;
    r.points[0] = g.points[0];
    r.points[1] = g.points[1];
    SetGameSound(previousSound);
    return r;
}

std::vector<CandidateShot> CandidateShots(const GameState& g) {
    std::vector<CandidateShot> shots;
    const float z = g.currentPlayer == kSideGreen ? table::kShootingLineZ : -table::kShootingLineZ;
    for (float x = -19.5f; x < 19.5f; x += 3.0f) {
        bool free = true;
        for (int k = 1; k < kDiscCount; ++k) {
            if (std::hypot(g.discs[k].x - x, g.discs[k].z - z) < table::kDiscDiameter) free = false;
        }
        if (!free) continue;
        for (float angle = -1.2f; angle <= 1.21f; angle += 0.15f) {
            for (float force : {4.0f, 7.0f, 10.0f}) shots.push_back({x, z, force, angle});
        }
    }
    return shots;
}

std::optional<CandidateShot> FindShot(const GameState& g,
                                      const std::function<int(const ShotResult&)>& score,
                                      int minimumScore) {
    std::optional<CandidateShot> best;
    int bestScore = minimumScore;
    for (const CandidateShot& shot : CandidateShots(g)) {
        const int s = score(SimulateShot(g, shot));
        if (s > bestScore) {
            bestScore = s;
            best = shot;
        }
    }
    return best;
}
