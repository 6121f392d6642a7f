#include "tests/ai/ai_tables.h"

#include "ai/hand_error.h"
#include "ai/shot_simulation.h"
#include "game/game_random.h"
#include "game/table_layout.h"

GameState EmptyTable(int side) {
    GameState g;
    SetLibraryStartDefaults(g);
    g.mode = kModeMatch;
    g.currentPlayer = side;
    g.localSeat = side;
    g.discs[kStriker].color = kColorYellow;
    return g;
}

void Put(GameState& g, int disc, DiscColor color, float x, float z) {
    g.discs[disc] = Disc{x, z, 0.0f, 0.0f, color, kStatusOnTable};
}

GameState OpeningTable(int seed) {
    GameState g = EmptyTable(kSideGreen);
    g.tableRandom = RandomSequence(static_cast<uint32_t>(seed));
    StandardLayout(g);
    return g;
}

void Play(GameState& g, const ai::Shot& shot) {
    GameState after;
    ai::SimulateShot(g, shot, after);
    g = after;
}

std::vector<GameState> MidGameTables(int count) {
    std::vector<GameState> tables;
    for (int seed = 1; static_cast<int>(tables.size()) < count; ++seed) {
        GameState g = OpeningTable(seed);
        for (int shot = 0; shot < 40 && g.points[0] + g.points[1] < 4; ++shot) {
            Play(g, ai::RandomPlayableShot(g, static_cast<uint64_t>(seed * 1000 + shot)));
        }
        if (g.winner == kNoWinner) tables.push_back(g);
    }
    return tables;
}
