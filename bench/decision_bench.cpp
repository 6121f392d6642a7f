// How long the computer player takes to decide, at each level, on the
// opening table (the break, where every shot moves twenty discs) and on
// tables from the middle of a match. The player must decide well inside a
// turn's clock: a master in at most a second, a beginner in a tenth.
#include <benchmark/benchmark.h>

#include <vector>

#include "ai/shot_choice.h"
#include "game/game_random.h"
#include "game/physics.h"
#include "game/table_layout.h"

namespace {

constexpr int kMatchSeed = 2026;
constexpr int kMidGamePoints[] = {4, 8, 12};  // discs down on each mid-game table

GameState OpeningTable() {
    GameState g;
    SetLibraryStartDefaults(g);
    g.mode = kModeMatch;
    g.tableRandom = RandomSequence(kMatchSeed);
    StandardLayout(g);
    return g;
}

// Two club players from the opening until the given number of discs is down.
GameState TableWithDiscsDown(int discsDown) {
    GameState g = OpeningTable();
    for (uint64_t shot = 0; g.points[0] + g.points[1] < discsDown && g.winner == kNoWinner;
         ++shot) {
        const ai::Decision d = ai::ChooseShot(g, ai::Level::Club, shot);
        GameState after;
        ai::SimulateShot(g, d.played, after);
        g = after;
    }
    return g;
}

const std::vector<GameState>& Tables() {
    static const std::vector<GameState> tables = [] {
        std::vector<GameState> t{OpeningTable()};
        for (int down : kMidGamePoints) t.push_back(TableWithDiscsDown(down));
        return t;
    }();
    return tables;
}

// Arguments: the level, then the table (0 the opening, then mid-game ones).
void BM_Decide(benchmark::State& state) {
    const auto level = static_cast<ai::Level>(state.range(0));
    const GameState& table = Tables()[static_cast<size_t>(state.range(1))];
    int simulations = 0;
    uint64_t seed = 0;
    for (auto _ : state) {
        const ai::Decision d = ai::ChooseShot(table, level, ++seed);
        simulations = d.simulations;
        benchmark::DoNotOptimize(d.played);
    }
    state.counters["simulations"] = simulations;
    state.SetLabel(
        std::string(ai::LevelName(level)) +
        (state.range(1) == 0 ? " break" : " mid-game " + std::to_string(state.range(1))));
}
BENCHMARK(BM_Decide)
    ->ArgsProduct({{static_cast<int>(ai::Level::Beginner), static_cast<int>(ai::Level::Club),
                    static_cast<int>(ai::Level::Master)},
                   {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
