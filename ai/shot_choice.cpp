#include "ai/shot_choice.h"

#include <algorithm>
#include <vector>

#include "ai/candidate_shots.h"
#include "ai/hand_error.h"
#include "ai/shot_scoring.h"

namespace ai {

namespace {

// What the next shot makes of the table counts for a little less than a
// shot in hand: it is only the best of a smaller search, and an opponent
// does not always find it.
constexpr float kFollowWeight = 0.8f;
constexpr float kReplyWeight = 0.6f;
// A shot that does less, or loses the striker, once the hand is off.
constexpr float kShakyValue = 25.0f;
constexpr float kShakyStrikerValue = 40.0f;
// The steadiness test moves angle and force by this many of the hand's
// standard deviations, and the angle by at least the least step.
constexpr float kSteadinessDeviations = 2.0f;
constexpr float kLeastAngleStep = 0.002f;

constexpr float kFollowPotForces[] = {1.4f, 2.2f};
constexpr float kFollowGridForces[] = {5.0f};
constexpr PotSearch kFollowPots{.spreadSpots = 3, .forceFactors = kFollowPotForces};
constexpr ShotGrid kFollowGrid{5, 7, kFollowGridForces};

constexpr int kMostBudgetScale = 4;
// Past this the grid's angles are finer than any hand.
constexpr int kFinestGridAngles = 600;

struct Candidate {
    Shot shot;
    ShotResult result;
    Judgement judgement;
};

bool Better(const Candidate& a, const Candidate& b) {
    return b.judgement < a.judgement;
}

class Search {
public:
    explicit Search(const GameState& table) : table_(table) {}

    Candidate Try(const Shot& shot, bool weighLeave) {
        GameState after;
        const ShotResult r = Simulate(shot, after);
        return {shot, r, Judge(table_, r, after, weighLeave)};
    }

    ShotResult Simulate(const Shot& shot, GameState& after) {
        ++simulations_;
        return SimulateShot(table_, shot, after);
    }

    int Simulations() const { return simulations_; }
    const GameState& Table() const { return table_; }

private:
    const GameState& table_;
    int simulations_ = 0;
};

// A shot on a table with fewer discs moves fewer of them, so the budget
// grows as discs go down and a decision takes about as long all match.
int ScaledBudget(const GameState& g, int budget) {
    int onTable = 0;
    for (int k = 1; k < kDiscCount; ++k) onTable += g.discs[k].status == kStatusOnTable;
    const int fullTable = kDiscCount - 1;
    return budget * std::min(kMostBudgetScale, fullTable / std::max(1, onTable));
}

// Aimed pots first, but never so many that the grid finds no room; the
// grid's angles then grow finer until the budget is spent.
std::vector<Shot> FirstPlyShots(const GameState& g, const LevelSettings& level, int budget) {
    std::vector<Shot> grid = GridShots(g, level.grid);
    std::vector<Shot> shots = PotShots(g, level.pots);
    const int potRoom = std::max(0, budget - static_cast<int>(grid.size()));
    if (static_cast<int>(shots.size()) > potRoom) shots.resize(potRoom);
    const int gridRoom = budget - static_cast<int>(shots.size());
    if (!grid.empty() && static_cast<int>(grid.size()) < gridRoom) {
        ShotGrid finer = level.grid;
        finer.angles =
            std::min(kFinestGridAngles, finer.angles * gridRoom / static_cast<int>(grid.size()));
        grid = GridShots(g, finer);
    }
    shots.insert(shots.end(), grid.begin(), grid.end());
    RemoveRepeats(shots);
    if (static_cast<int>(shots.size()) > budget) shots.resize(budget);
    return shots;
}

// The best one shot the side to move can make of a table, judged without
// looking further; 0 when it has nothing better than a quiet shot.
float BestNextShot(const GameState& table, int budget, int& simulations) {
    Search search(table);
    std::vector<Shot> shots = PotShots(table, kFollowPots);
    const std::vector<Shot> grid = GridShots(table, kFollowGrid);
    shots.insert(shots.end(), grid.begin(), grid.end());
    if (shots.size() > static_cast<size_t>(budget)) shots.resize(budget);
    Judgement best{false, 0.0f};
    for (const Shot& s : shots) best = std::max(best, search.Try(s, false).judgement);
    simulations += search.Simulations();
    return best.strikerKept ? std::max(0.0f, best.value) : 0.0f;
}

// Replaces the guess about the table a shot leaves by the best next shot
// from it, the shooter's own when the turn is kept, else the opponent's.
void LookAhead(Search& search, std::vector<Candidate>& finalists, int budget, int& extra) {
    for (Candidate& c : finalists) {
        if (c.result.winner != kNoWinner) continue;
        GameState after;
        search.Simulate(c.shot, after);
        const float now = Judge(search.Table(), c.result, after, false).value;
        const float next = BestNextShot(after, budget, extra);
        c.judgement.value =
            c.result.turnKept ? now + kFollowWeight * next : now - kReplyWeight * next;
    }
}

// Plays each finalist again with the hand a little off each way and marks
// down the ones that then do less.
void TestSteadiness(Search& search, std::vector<Candidate>& finalists, const LevelSettings& level) {
    const float angleStep = std::max(kLeastAngleStep, kSteadinessDeviations * level.angleError);
    const float forceStep = kSteadinessDeviations * level.forceError;
    for (Candidate& c : finalists) {
        const float points = PointsValue(search.Table(), c.result);
        const Shot variants[] = {
            {c.shot.x, c.shot.z, c.shot.force, c.shot.angle - angleStep},
            {c.shot.x, c.shot.z, c.shot.force, c.shot.angle + angleStep},
            {c.shot.x, c.shot.z, c.shot.force * (1.0f - forceStep), c.shot.angle},
            {c.shot.x, c.shot.z, c.shot.force * (1.0f + forceStep), c.shot.angle},
        };
        for (const Shot& v : variants) {
            GameState after;
            const ShotResult r = search.Simulate(OnTheGrid(v), after);
            if (r.strikerFell) c.judgement.value -= kShakyStrikerValue;
            const bool lessDone =
                PointsValue(search.Table(), r) < points || (c.result.turnKept && !r.turnKept);
            if (lessDone || r.strikerFell) c.judgement.value -= kShakyValue;
        }
    }
}

}  // namespace

Decision ChooseShot(const GameState& table, Level level, uint64_t seed) {
    Decision d;
    if (level == Level::Random) {
        d.intended = d.played = RandomPlayableShot(table, seed);
        d.expected = SimulateShot(table, d.intended);
        d.simulations = 1;
        return d;
    }
    const LevelSettings& settings = SettingsOf(level);
    Search search(table);
    std::vector<Candidate> candidates;
    const int budget = ScaledBudget(table, settings.firstPlyBudget);
    for (const Shot& s : FirstPlyShots(table, settings, budget)) {
        candidates.push_back(search.Try(s, settings.weighLeave));
    }
    int extra = 0;
    if (!candidates.empty()) {
        std::stable_sort(candidates.begin(), candidates.end(), Better);
        const size_t finalists = std::min<size_t>(
            candidates.size(), std::max({settings.lookaheadShots, settings.steadinessShots, 1}));
        candidates.resize(finalists);
        if (settings.lookaheadShots > 0) {
            LookAhead(search, candidates, settings.lookaheadBudget, extra);
        }
        if (settings.steadinessShots > 0) TestSteadiness(search, candidates, settings);
        std::stable_sort(candidates.begin(), candidates.end(), Better);
        d.intended = candidates.front().shot;
        d.expected = candidates.front().result;
        d.played = WithHandError(table, d.intended, settings, seed);
    } else {
        // Not one free spot for the grid: any shot the strip still allows.
        d.intended = d.played = RandomPlayableShot(table, seed);
        d.expected = search.Try(d.intended, false).result;
    }
    d.simulations = search.Simulations() + extra;
    return d;
}

}  // namespace ai
