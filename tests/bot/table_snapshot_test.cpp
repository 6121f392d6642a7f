// The table rebuilt from positions, side and seed is the game's own table:
// the same discs down, the same colours and score, and every shot played on
// it ends as it does on the game's.
#include "bot/table_snapshot.h"

#include <gtest/gtest.h>

#include "ai/shot_choice.h"
#include "game/rules.h"

namespace {

wire::Positions PositionsOf(const GameState& g) {
    wire::Positions p{};
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        p[(disc - 1) * 2] = g.discs[disc].x;
        p[(disc - 1) * 2 + 1] = g.discs[disc].z;
    }
    return p;
}

::testing::AssertionResult SameTable(const GameState& a, const GameState& b) {
    for (int k = 1; k < kDiscCount; ++k) {
        const Disc &da = a.discs[k], &db = b.discs[k];
        if (da.x != db.x || da.z != db.z || da.color != db.color || da.status != db.status)
            return ::testing::AssertionFailure() << "disc " << k;
    }
    if (a.points[0] != b.points[0] || a.points[1] != b.points[1])
        return ::testing::AssertionFailure() << "score";
    if (a.currentPlayer != b.currentPlayer) return ::testing::AssertionFailure() << "side";
    return ::testing::AssertionSuccess();
}

TEST(TableSnapshot, EveryTableOfAMatchIsRebuiltAsTheGameHasIt) {
    for (int seed : {3, 418}) {
        GameState game;
        SetLibraryStartDefaults(game);
        StartMatch(game, 1, seed);
        int downSeen = 0;
        for (uint64_t shot = 0; game.winner == kNoWinner && shot < 300; ++shot) {
            const GameState snapshot = SnapshotTable(PositionsOf(game), game.currentPlayer, seed);
            ASSERT_TRUE(SameTable(snapshot, game)) << "seed " << seed << " shot " << shot;
            downSeen = std::max(downSeen, game.points[0] + game.points[1]);

            const ai::Decision d = ai::ChooseShot(snapshot, ai::Level::Beginner, shot);
            GameState fromSnapshot, fromGame;
            ai::SimulateShot(snapshot, d.played, fromSnapshot);
            ai::SimulateShot(game, d.played, fromGame);
            ASSERT_TRUE(SameTable(fromSnapshot, fromGame)) << "seed " << seed << " shot " << shot;
            game = fromGame;
        }
        EXPECT_GE(downSeen, 8) << "the match never got far";
    }
}

TEST(TableSnapshot, ADiscInAHoleIsDownAndOneJustOutsideIsNot) {
    wire::Positions p{};
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        p[(disc - 1) * 2] = static_cast<float>(disc) - 10.0f;
        p[(disc - 1) * 2 + 1] = 0.0f;
    }
    // Disc 1 caught at the hole's rim, disc 2 resting a hair beyond it.
    p[0] = -25.5f + 3.1f;
    p[1] = -25.5f + 3.1f;
    p[2] = 25.5f - 3.12f;
    p[3] = 25.5f - 3.12f;
    const GameState g = SnapshotTable(p, kSideRed, 12);
    EXPECT_EQ(g.discs[1].status, kStatusPocketed);
    EXPECT_EQ(g.discs[2].status, kStatusOnTable);
    EXPECT_EQ(g.points[g.discs[1].color == kColorGreen ? 0 : 1], 1);
    EXPECT_EQ(g.points[0] + g.points[1], 1);
    EXPECT_EQ(g.currentPlayer, kSideRed);
    EXPECT_EQ(g.localSeat, kSideRed);
    EXPECT_EQ(g.mode, kModeMatch);
}

}  // namespace
