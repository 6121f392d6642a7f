// The computer player's decision: what it prefers, what it never does, that
// a seed replays it, and that the game would take every shot it makes.
#include "ai/shot_choice.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ai/shooting_line.h"
#include "ai/shot_scoring.h"
#include "ai/shot_search.h"
#include "game/shot_control.h"
#include "game/table_layout.h"
#include "tests/ai/ai_tables.h"

namespace {

using ai::Level;

constexpr Level kSearchingLevels[] = {Level::Beginner, Level::Club, Level::Master};

// Green to move with one green disc a straight pot away from the hole at
// (-25.5, -25.5), a red disc and a green disc that no straight line pots.
GameState OnePotTable() {
    GameState g = EmptyTable(kSideGreen);
    Put(g, 1, kColorGreen, -20.0f, -19.0f);
    Put(g, 2, kColorRed, 10.0f, 0.0f);
    Put(g, 3, kColorGreen, 0.0f, -31.0f);
    return g;
}

// Everything the game checks of a shot, spelled out rather than through the
// player's own test.
::testing::AssertionResult GameTakes(const GameState& g, const ai::Shot& s) {
    for (float v : {s.x, s.z, s.force, s.angle}) {
        if (!std::isfinite(v)) return ::testing::AssertionFailure() << "not finite";
    }
    if (!InShootingZone(g, s.x, s.z))
        return ::testing::AssertionFailure() << "spot " << s.x << "," << s.z << " off the strip";
    for (int k = 1; k < kDiscCount; ++k) {
        if (std::hypot(g.discs[k].x - s.x, g.discs[k].z - s.z) < 4.3f)
            return ::testing::AssertionFailure() << "spot on disc " << k;
    }
    if (!(s.force > 0.5f && s.force <= 10.0f))
        return ::testing::AssertionFailure() << "force " << s.force;
    if (!(std::fabs(s.angle) <= kAngleLimit))
        return ::testing::AssertionFailure() << "angle " << s.angle;
    return ::testing::AssertionSuccess();
}

TEST(ShotScoring, APocketedOwnDiscBeatsNothingAndAKeptStrikerBeatsBoth) {
    GameState before = EmptyTable(kSideRed);
    before.points[0] = 3;
    before.points[1] = 2;
    GameState after = before;

    ai::ShotResult nothing;
    nothing.points[0] = 3;
    nothing.points[1] = 2;
    ai::ShotResult ownDisc = nothing;
    ownDisc.ownPocketed = 1;
    ownDisc.points[1] = 3;
    ownDisc.turnKept = true;
    ai::ShotResult foul = nothing;
    foul.otherPocketed = 1;
    foul.points[0] = 4;
    // Two own discs down, then the striker: one comes back, the turn passes.
    ai::ShotResult strikerLost = nothing;
    strikerLost.ownPocketed = 2;
    strikerLost.strikerFell = true;
    strikerLost.discReturned = true;
    strikerLost.points[1] = 3;

    for (bool leave : {false, true}) {
        const ai::Judgement j0 = ai::Judge(before, nothing, after, leave);
        const ai::Judgement j1 = ai::Judge(before, ownDisc, after, leave);
        const ai::Judgement jFoul = ai::Judge(before, foul, after, leave);
        const ai::Judgement jLost = ai::Judge(before, strikerLost, after, leave);
        EXPECT_TRUE(j0 < j1);
        EXPECT_TRUE(jFoul < j0);
        EXPECT_TRUE(jLost < jFoul) << "a lost striker ranks below every kept one";
        EXPECT_GT(jLost.value, jFoul.value) << "although it won more points";
    }

    ai::ShotResult lastDisc = ownDisc;
    lastDisc.points[1] = 10;
    lastDisc.winner = kSideRed;
    ai::ShotResult givesTheMatch = foul;
    givesTheMatch.points[0] = 10;
    givesTheMatch.winner = kSideGreen;
    EXPECT_GT(ai::Judge(before, lastDisc, after, true).value,
              ai::Judge(before, ownDisc, after, true).value + 1000.0f);
    EXPECT_LT(ai::Judge(before, givesTheMatch, after, true).value,
              ai::Judge(before, foul, after, true).value - 1000.0f);
}

TEST(ShotChoice, EveryLevelPotsTheOwnDiscThatLiesReady) {
    const GameState g = OnePotTable();
    for (Level level : kSearchingLevels) {
        const ai::Decision d = ai::ChooseShot(g, level, 7);
        const ai::ShotResult replay = ai::SimulateShot(g, d.intended);
        EXPECT_GE(replay.ownPocketed, 1) << ai::LevelName(level);
        EXPECT_EQ(replay.otherPocketed, 0) << ai::LevelName(level);
        EXPECT_TRUE(replay.turnKept) << ai::LevelName(level);
        EXPECT_FALSE(replay.strikerFell) << ai::LevelName(level);
        EXPECT_EQ(d.expected.points[0], replay.points[0]);
        EXPECT_GT(d.simulations, 10);
    }
}

TEST(ShotChoice, TheSameForRedFromTheOtherEnd) {
    // The same table turned half round: red shoots from -z.
    GameState g = EmptyTable(kSideRed);
    Put(g, 1, kColorRed, 20.0f, 19.0f);
    Put(g, 2, kColorGreen, -10.0f, 0.0f);
    const ai::Decision d = ai::ChooseShot(g, Level::Club, 7);
    EXPECT_LT(d.intended.z, 0.0f);
    const ai::ShotResult replay = ai::SimulateShot(g, d.intended);
    EXPECT_EQ(replay.ownPocketed, 1);
    EXPECT_TRUE(replay.turnKept);
}

TEST(ShotChoice, NeverPlaysALostStrikerWhenASafeShotExists) {
    // Tables where the shot that wins most points loses the striker, so a
    // player counting points alone would lose it.
    int traps = 0;
    for (const GameState& g : MidGameTables(12)) {
        const auto greedy = ai::FindShot(
            g, [](const ai::ShotResult& r) { return 10 * (r.ownPocketed - r.otherPocketed); },
            -1000);
        const bool trap = greedy && ai::SimulateShot(g, *greedy).strikerFell;
        traps += trap;
        const bool safeExists =
            ai::FindShot(
                g, [](const ai::ShotResult& r) { return r.strikerFell ? -1 : 1; }, 0)
                .has_value();
        ASSERT_TRUE(safeExists);
        for (Level level : {Level::Beginner, Level::Club}) {
            const ai::Decision d = ai::ChooseShot(g, level, 11);
            EXPECT_FALSE(ai::SimulateShot(g, d.intended).strikerFell)
                << ai::LevelName(level) << (trap ? " on a trap" : "");
        }
    }
    EXPECT_GT(traps, 0) << "no table tempted the player; the test proves nothing";
}

TEST(ShotChoice, TheSameSeedReplaysEveryDecision) {
    const GameState g = OpeningTable(2026);
    for (Level level : {Level::Random, Level::Beginner, Level::Club}) {
        const ai::Decision a = ai::ChooseShot(g, level, 99);
        const ai::Decision b = ai::ChooseShot(g, level, 99);
        EXPECT_EQ(a.intended, b.intended) << ai::LevelName(level);
        EXPECT_EQ(a.played, b.played) << ai::LevelName(level);
        EXPECT_EQ(a.simulations, b.simulations);
    }
    // Another seed moves the hand, not the mind.
    int differentHands = 0;
    const ai::Decision first = ai::ChooseShot(g, Level::Beginner, 1);
    for (uint64_t seed = 2; seed < 6; ++seed) {
        const ai::Decision other = ai::ChooseShot(g, Level::Beginner, seed);
        EXPECT_EQ(other.intended, first.intended);
        differentHands += !(other.played == first.played);
    }
    EXPECT_GE(differentHands, 3);
}

TEST(ShotChoice, EveryShotOfWholeMatchesIsOneTheGameTakes) {
    // Beginner against the random player, then beginner against beginner:
    // every decision of both on every table, until one side wins.
    const std::pair<Level, Level> pairings[] = {{Level::Beginner, Level::Random},
                                                {Level::Beginner, Level::Beginner}};
    for (const auto& [greenLevel, redLevel] : pairings) {
        GameState g = OpeningTable(77);
        int shots = 0;
        for (; g.winner == kNoWinner && shots < 400; ++shots) {
            const Level level = g.currentPlayer == kSideGreen ? greenLevel : redLevel;
            const ai::Decision d = ai::ChooseShot(g, level, static_cast<uint64_t>(shots));
            ASSERT_TRUE(GameTakes(g, d.played)) << ai::LevelName(level) << " shot " << shots;
            ASSERT_TRUE(GameTakes(g, d.intended)) << ai::LevelName(level) << " shot " << shots;
            Play(g, d.played);
        }
        EXPECT_NE(g.winner, kNoWinner) << "no result after " << shots << " shots";
    }
    // The stronger levels on tables from the middle of a match.
    for (const GameState& g : MidGameTables(3)) {
        for (Level level : {Level::Club, Level::Master}) {
            const ai::Decision d = ai::ChooseShot(g, level, 5);
            EXPECT_TRUE(GameTakes(g, d.played)) << ai::LevelName(level);
        }
    }
}

}  // namespace
