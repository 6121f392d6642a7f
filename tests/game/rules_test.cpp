// Scoring, the striker penalty, victory and the turn clock.
#include "game/rules.h"

#include "game/game_random.h"
#include "game/shot_control.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"
#include "tests/game/game_fixture.h"

namespace {

using table::kHoleCenter;

std::vector<int> points, turns, results;
int shootingCalls = 0;
void OnPoint(int kind) {
    points.push_back(kind);
}
void OnTurn(int player) {
    turns.push_back(player);
}
void OnVitoria(int result) {
    results.push_back(result);
}
void OnShooting(float, float, float, float, float) {
    ++shootingCalls;
}

// Starts disc k two steps short of the hole at (hx, hz).
void SendIntoHole(GameState& g, int k, DiscColor color, float hx, float hz) {
    const float sx = hx > 0 ? 1.0f : -1.0f, sz = hz > 0 ? 1.0f : -1.0f;
    g.discs[k] = Disc{hx - sx * 4.0f, hz - sz * 4.0f, sx * 0.5f, sz * 0.5f, color, kStatusOnTable};
}

class RulesTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        points.clear();
        turns.clear();
        results.clear();
        shootingCalls = 0;
        g = EmptyMatch(kSideGreen);
        g.outputs.events.point = OnPoint;
        g.outputs.events.turnChanged = OnTurn;
        g.outputs.events.decided = OnVitoria;
    }
    // A shot by this machine's side; the test then steers the discs by hand.
    void Shoot() {
        FireShot(g, 0, g.currentPlayer == kSideGreen ? 21.5f : -21.5f, 1.0f, 0.0f);
        g.discs[kStriker].vx = g.discs[kStriker].vz = 0.05f;
    }
    GameState g;
};

}  // namespace

TEST_F(RulesTest, StrikerFallingWithOwnDiscsReturnsOneToTheHighestFreeSlot) {
    g.tableRandom = RandomSequence(3);
    StandardLayout(g);
    g.mode = kModeMatch;
    Shoot();
    int greens[2], n = 0;
    for (int k = 1; k < kDiscCount && n < 2; ++k) {
        if (g.discs[k].color == kColorGreen && k != 20) greens[n++] = k;
    }
    SendIntoHole(g, greens[0], kColorGreen, kHoleCenter, kHoleCenter);
    SendIntoHole(g, greens[1], kColorGreen, -kHoleCenter, -kHoleCenter);
    SendIntoHole(g, kStriker, kColorYellow, kHoleCenter, -kHoleCenter);
    RunUntilStill(g);
    EXPECT_EQ(points, (std::vector<int>{0, 0, 1}));  // two own discs, then the return
    EXPECT_EQ(g.points[kSideGreen], 1);
    ASSERT_EQ(g.discReturned, 1);
    EXPECT_EQ(g.returnedDisc, greens[0]);  // the lowest pocketed index goes back
    // Slot k held disc k, so the highest slot left free is the other green's.
    EXPECT_EQ(g.returnedSlot, greens[1]);
    EXPECT_EQ(g.discs[greens[0]].status, kStatusOnTable);
    EXPECT_EQ(g.discs[greens[1]].status, kStatusPocketed);
    EXPECT_EQ(turns, std::vector<int>{kSideRed});
    EXPECT_EQ(g.shotOutcome, kOutcomeNone);
}

TEST_F(RulesTest, StrikerFallingWithNothingToReturnStillPassesTheTurn) {
    Shoot();
    SendIntoHole(g, kStriker, kColorYellow, -kHoleCenter, kHoleCenter);
    RunUntilStill(g);
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(g.discReturned, 0);
    EXPECT_EQ(turns, std::vector<int>{kSideRed});
}

TEST_F(RulesTest, PocketingAnOpponentsDiscIsAFoulThatScoresForHim) {
    Shoot();
    SendIntoHole(g, 1, kColorRed, kHoleCenter, kHoleCenter);
    SendIntoHole(g, 2, kColorGreen, -kHoleCenter, kHoleCenter);
    RunUntilStill(g);
    EXPECT_EQ(g.points[kSideGreen], 1);
    EXPECT_EQ(g.points[kSideRed], 1);
    EXPECT_EQ(points, (std::vector<int>{1, 0}));
    EXPECT_EQ(turns, std::vector<int>{kSideRed});
}

TEST_F(RulesTest, PocketingOnlyOwnDiscsKeepsTheTurnAndNothingPassesItToo) {
    Shoot();
    SendIntoHole(g, 2, kColorGreen, -kHoleCenter, kHoleCenter);
    RunUntilStill(g);
    EXPECT_TRUE(turns.empty());
    EXPECT_EQ(g.currentPlayer, kSideGreen);
    Shoot();
    RunUntilStill(g);
    EXPECT_EQ(turns, std::vector<int>{kSideRed});
}

TEST_F(RulesTest, EveryMachineCreditsAFallenDiscAlike) {
    // Red shoots and pockets a green disc: green's, red's and a spectator's
    // machines all count it for green.
    for (int seat : {kSideGreen, kSideRed, kSeatSpectator}) {
        GameState m = EmptyMatch(seat);
        m.currentPlayer = kSideRed;
        FireShot(m, 0, -21.5f, 1.0f, 0.0f);
        SendIntoHole(m, 7, kColorGreen, kHoleCenter, kHoleCenter);
        RunUntilStill(m);
        EXPECT_EQ(m.points[kSideGreen], 1) << seat;
        EXPECT_EQ(m.points[kSideRed], 0) << seat;
    }
}

TEST_F(RulesTest, LastDiscsOfBothSidesInOneShotDrawTheMatch) {
    g.points[kSideGreen] = 9;
    g.points[kSideRed] = 9;
    Shoot();
    SendIntoHole(g, 1, kColorRed, kHoleCenter, kHoleCenter);
    SendIntoHole(g, 2, kColorGreen, -kHoleCenter, kHoleCenter);
    RunUntilStill(g);
    EXPECT_EQ(results, std::vector<int>{0});
    EXPECT_EQ(g.winner, kWinnerDraw);
    EXPECT_EQ(sound.Count(kEffectDraw), 1);
    EXPECT_TRUE(turns.empty());  // a decided match passes no turn
    for (int i = 0; i < 200; ++i) StepPhysics(g);
    EXPECT_EQ(results.size(), 1u);
}

TEST_F(RulesTest, VictorySoundDependsOnWhoWatches) {
    for (int seat : {kSideGreen, kSideRed, kSeatSpectator}) {
        sound.played.clear();
        results.clear();
        GameState m = EmptyMatch(seat);
        m.outputs.events.decided = OnVitoria;
        m.currentPlayer = kSideRed;
        m.points[kSideRed] = 9;
        FireShot(m, 0, -21.5f, 1.0f, 0.0f);
        SendIntoHole(m, 4, kColorRed, kHoleCenter, -kHoleCenter);
        RunUntilStill(m);
        EXPECT_EQ(results, std::vector<int>{2});
        EXPECT_EQ(m.winner, kSideRed);
        EXPECT_EQ(sound.Count(seat == kSideGreen ? kEffectLose : kEffectWin), 1) << seat;
    }
    GameState quiet = EmptyMatch(kSideGreen);
    quiet.audioOn = 0;
    quiet.points[kSideGreen] = 10;
    sound.played.clear();
    StepPhysics(quiet);
    EXPECT_EQ(quiet.winner, kSideGreen);
    EXPECT_EQ(sound.Count(kEffectWin), 0);
}

TEST_F(RulesTest, TurnClockPassesTheTurnAfterSixtySecondsOfStillSteps) {
    g.outputs.events.aiming = OnShooting;
    for (int i = 0; i < kStepsPerSecond * kTurnSeconds - 1; ++i) StepPhysics(g);
    EXPECT_TRUE(turns.empty());
    EXPECT_EQ(g.turnSeconds, 59);
    EXPECT_EQ(shootingCalls, (kStepsPerSecond * kTurnSeconds - 1) / kAimBroadcastInterval);
    StepPhysics(g);
    EXPECT_EQ(turns, std::vector<int>{kSideRed});
    EXPECT_EQ(g.turnSeconds, 0);
    EXPECT_EQ(g.turnFrames, 0);
    // Now it is red's turn: this green machine's clock stands still.
    for (int i = 0; i < 5000; ++i) StepPhysics(g);
    EXPECT_EQ(turns.size(), 1u);
}

TEST_F(RulesTest, SpectatorsNeverRunTheClockOrPassTheTurn) {
    GameState m = EmptyMatch(kSeatSpectator);
    m.outputs.events.turnChanged = OnTurn;
    for (int i = 0; i < 4000; ++i) StepPhysics(m);
    EXPECT_EQ(m.turnFrames, 0);
    EXPECT_TRUE(turns.empty());
}

TEST_F(RulesTest, ShotRestartsTheClockAndATurnChangeIsRefusedWhileDiscsMove) {
    for (int i = 0; i < 600; ++i) StepPhysics(g);
    EXPECT_EQ(g.turnSeconds, 10);
    Shoot();
    EXPECT_EQ(g.turnSeconds, 0);
    StepPhysics(g);
    ASSERT_EQ(g.isMoving, 1);
    EXPECT_FALSE(PassTurn(g, true));
    EXPECT_EQ(g.currentPlayer, kSideGreen);
    EXPECT_TRUE(turns.empty());
    RunUntilStill(g);
    EXPECT_EQ(turns, std::vector<int>{kSideRed});  // the shot pocketed nothing
    // A peer's turn change comes without the callback.
    EXPECT_TRUE(PassTurn(g, false));
    EXPECT_EQ(g.currentPlayer, kSideGreen);
    EXPECT_EQ(turns.size(), 1u);
}

TEST_F(RulesTest, RemoteShotOutcomeIsClearedWithoutPassingTheTurn) {
    // Red shot on this green machine and fouled; red's machine passes the turn.
    g.currentPlayer = kSideRed;
    FireShot(g, 0, -21.5f, 1.0f, 0.0f);
    SendIntoHole(g, 3, kColorGreen, kHoleCenter, kHoleCenter);
    RunUntilStill(g);
    EXPECT_EQ(g.shotOutcome, kOutcomeFoul);
    PassTurn(g, false);
    StepPhysics(g);
    EXPECT_EQ(g.shotOutcome, kOutcomeNone);
    EXPECT_TRUE(turns.empty());
    EXPECT_EQ(g.currentPlayer, kSideGreen);
}

TEST_F(RulesTest, StartMatchSeatsThePlayersAndPlaysTheOpening) {
    StartMatch(g, 2, 99);
    EXPECT_EQ(g.localSeat, kSideRed);
    EXPECT_EQ(g.mode, kModeMatch);
    EXPECT_EQ(g.currentPlayer, kSideGreen);
    EXPECT_EQ(g.winner, kNoWinner);
    EXPECT_EQ(sound.Count(kEffectMatchStart), 1);
    ASSERT_EQ(sound.tracks.size(), 1u);
    EXPECT_GE(sound.tracks[0], 1);
    EXPECT_LE(sound.tracks[0], 11);
    StartMatch(g, 1, 99);
    EXPECT_EQ(g.localSeat, kSideGreen);
    StartMatch(g, 0, 99);
    EXPECT_EQ(g.localSeat, kSeatSpectator);
}
