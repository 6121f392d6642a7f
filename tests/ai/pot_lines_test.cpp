// Pot lines and the shots aimed along them: a clear line pots its disc at
// the force it names, a disc in the way closes it, and a table with a disc
// ready by a hole promises more than one without.
#include "ai/pot_lines.h"

#include <gtest/gtest.h>

#include "ai/candidate_shots.h"
#include "ai/shooting_line.h"
#include "ai/shot_simulation.h"
#include "tests/ai/ai_tables.h"

namespace {

constexpr float kFactors[] = {1.6f};

GameState DiscByTheHole() {
    GameState g = EmptyTable(kSideGreen);
    Put(g, 1, kColorGreen, -20.0f, -19.0f);
    return g;
}

TEST(PotLines, AStraightLineFromBehindTheDiscPotsIt) {
    const GameState g = DiscByTheHole();
    const std::vector<ai::PotLine> lines = ai::FindPotLines(g, 5, false);
    ASSERT_FALSE(lines.empty());
    const ai::PotLine& straight = lines.front();
    EXPECT_EQ(straight.disc, 1);
    EXPECT_GT(straight.straightness, 0.999f);
    EXPECT_TRUE(ai::IsFreeSpot(g, straight.aim.x, straight.aim.z));

    ai::Shot shot = straight.aim;
    shot.force = 1.6f * ai::JustEnoughForce(straight);
    const ai::ShotResult r = ai::SimulateShot(g, ai::OnTheGrid(shot));
    EXPECT_EQ(r.ownPocketed, 1);
    EXPECT_FALSE(r.strikerFell);
    EXPECT_TRUE(r.turnKept);

    // Half the force named falls short.
    shot.force = 0.5f * ai::JustEnoughForce(straight);
    EXPECT_EQ(ai::SimulateShot(g, ai::OnTheGrid(shot)).ownPocketed, 0);
}

TEST(PotLines, ADiscInTheWayOrAnotherColourGivesNoLine) {
    GameState g = DiscByTheHole();
    Put(g, 2, kColorRed, -22.5f, -22.0f);  // between the disc and its hole
    for (const ai::PotLine& line : ai::FindPotLines(g, 9, true)) {
        EXPECT_NE(line.disc, 1) << "line through a disc";
    }
    // Red's disc is not green's to pot, whatever lies free.
    GameState reds = EmptyTable(kSideGreen);
    Put(reds, 2, kColorRed, -20.0f, -19.0f);
    EXPECT_TRUE(ai::FindPotLines(reds, 9, true).empty());
    EXPECT_TRUE(ai::PotShots(reds, {.spreadSpots = 9, .forceFactors = kFactors}).empty());
}

TEST(PotLines, ADiscShortOfTheOwnCornerIsPottedOffTheFarCushion) {
    // Green's disc lies beside green's own strip, short of green's corner:
    // only a striker coming back up the table sends it in.
    GameState g = EmptyTable(kSideGreen);
    Put(g, 1, kColorGreen, -24.0f, 17.0f);
    Put(g, 2, kColorRed, -2.4f, -31.0f);
    const std::vector<ai::PotLine> lines = ai::FindPotLines(g, 11, true);
    ASSERT_FALSE(lines.empty());
    for (const ai::PotLine& line : lines) {
        EXPECT_TRUE(line.offTheCushion);
        EXPECT_LT(line.speedKept, 1.0f);
    }
    EXPECT_TRUE(ai::FindPotLines(g, 11, false).empty());

    constexpr float kForces[] = {1.2f, 1.6f, 2.2f};
    int pots = 0;
    for (const ai::Shot& s : ai::PotShots(
             g,
             {.spreadSpots = 11, .offTheCushion = true, .forceFactors = kForces, .fanSteps = 3})) {
        const ai::ShotResult r = ai::SimulateShot(g, s);
        pots += r.ownPocketed == 1 && !r.strikerFell;
    }
    EXPECT_GT(pots, 0);
}

TEST(PotLines, ChancesGrowWithDiscsReadyByTheHoles) {
    GameState g = EmptyTable(kSideGreen);
    Put(g, 1, kColorGreen, 0.0f, -5.0f);
    const float far = ai::PottingChances(g);
    Put(g, 2, kColorGreen, -20.0f, -19.0f);
    const float oneReady = ai::PottingChances(g);
    Put(g, 3, kColorGreen, 19.0f, -20.0f);
    const float twoReady = ai::PottingChances(g);
    EXPECT_LT(far, oneReady);
    EXPECT_LT(oneReady, twoReady);
    // The other side's discs lying ready count for nothing.
    g.currentPlayer = kSideRed;
    EXPECT_EQ(ai::PottingChances(g), 0.0f);
}

TEST(CandidateShots, EveryCandidateIsPlayableAndOnTheGrid) {
    for (const GameState& g : MidGameTables(4)) {
        std::vector<ai::Shot> shots = ai::PotShots(
            g, {.spreadSpots = 9, .offTheCushion = true, .forceFactors = kFactors, .fanSteps = 1});
        const float forces[] = {3.0f, 10.0f};
        const std::vector<ai::Shot> grid = ai::GridShots(g, {9, 11, forces});
        ASSERT_FALSE(grid.empty());
        shots.insert(shots.end(), grid.begin(), grid.end());
        for (const ai::Shot& s : shots) {
            EXPECT_TRUE(ai::IsPlayable(g, s));
            EXPECT_EQ(s, ai::OnTheGrid(s));
        }
    }
}

}  // namespace
