// A whole match played through the library's exports, hot-seat style: this
// process takes whichever side is to shoot, and the test picks the shots by
// trying candidates on a copy of the deterministic table.
#include <vector>

#include "ai/shot_search.h"
#include "tests/game/game_fixture.h"
#include "vexlib/exports.h"

namespace {

std::vector<int> turnCallbacks, pointCallbacks, vitoriaCallbacks;
void OnTurn(int player) {
    turnCallbacks.push_back(player);
}
void OnPoint(int kind) {
    pointCallbacks.push_back(kind);
}
void OnVitoria(int result) {
    vitoriaCallbacks.push_back(result);
}

int Prefer(const ai::ShotResult& r) {
    return 10 * r.ownPocketed - 12 * r.otherPocketed - 15 * r.strikerFell;
}

}  // namespace

using MatchTest = GameTest;

TEST_F(MatchTest, WholeMatchThroughTheExports) {
    turnCallbacks.clear();
    pointCallbacks.clear();
    vitoriaCallbacks.clear();
    SetaCallBackMudaJogador(OnTurn);
    SetaCallBackPoint(OnPoint);
    SetaCallBackVitoria(OnVitoria);
    IniciaPartida(1, 2026);
    ASSERT_EQ(GetPlayer_Host(), 0);

    bool sawFoul = false, sawReturn = false, sawClock = false, sawKeptTurn = false;
    int shots = 0;
    while (vitoriaCallbacks.empty() && shots < 200) {
        const int shooter = GetPlayer_Atual();
        SetPlayer_Host(shooter);

        if (!sawClock && shots == 2) {
            // Nobody shoots for a minute: the turn passes by the clock alone,
            // 3600 still steps after the turn began.
            const size_t before = turnCallbacks.size();
            const int stepsLeft = 3600 - (Game().turnSeconds * 60 + Game().turnFrames);
            ASSERT_GT(stepsLeft, 3500);
            for (int i = 0; i < stepsLeft - 1; ++i) AtualizaDiscos();
            EXPECT_EQ(turnCallbacks.size(), before);
            AtualizaDiscos();
            ASSERT_EQ(turnCallbacks.size(), before + 1);
            EXPECT_EQ(turnCallbacks.back(), 1 - shooter);
            EXPECT_EQ(GetPlayer_Atual(), 1 - shooter);
            sawClock = true;
            continue;
        }

        std::optional<ai::Shot> shot;
        const GameState& table = Game();
        if (!sawReturn && table.points[shooter] > 0 && shots > 3) {
            shot = ai::FindShot(
                table,
                [](const ai::ShotResult& r) { return r.discReturned ? 100 + Prefer(r) : -1000; },
                0);
        }
        if (!shot && !sawFoul && shots > 1) {
            shot = ai::FindShot(
                table,
                [](const ai::ShotResult& r) {
                    return r.otherPocketed > 0 && !r.strikerFell ? 100 + Prefer(r) : -1000;
                },
                0);
        }
        if (!shot) shot = ai::FindShot(table, Prefer, -1000000);
        ASSERT_TRUE(shot.has_value());

        const ai::ShotResult predicted = ai::SimulateShot(Game(), *shot);
        const int pointsBefore = static_cast<int>(pointCallbacks.size());
        ASSERT_EQ(DispararTiro(shot->x, shot->z, shot->force, shot->angle), 1);
        table_probe::RunShotToRest();
        ++shots;

        // The table followed the prediction exactly: the physics is deterministic.
        EXPECT_EQ(GetPlayer_Pts(0), predicted.points[0]);
        EXPECT_EQ(GetPlayer_Pts(1), predicted.points[1]);
        const int newPoints = static_cast<int>(pointCallbacks.size()) - pointsBefore;
        EXPECT_EQ(newPoints, predicted.ownPocketed + predicted.otherPocketed +
                                 (predicted.discReturned ? 1 : 0));
        if (!vitoriaCallbacks.empty()) break;

        const bool onlyOwn =
            predicted.ownPocketed > 0 && predicted.otherPocketed == 0 && !predicted.strikerFell;
        EXPECT_EQ(GetPlayer_Atual() == shooter, onlyOwn) << "shot " << shots;
        sawKeptTurn |= onlyOwn;
        if (predicted.otherPocketed > 0) sawFoul = true;
        if (predicted.discReturned) {
            sawReturn = true;
            EXPECT_EQ(pointCallbacks.back(), shooter == 0 ? 1 : 2);
            EXPECT_EQ(Game().discs[Game().returnedDisc].status, kStatusOnTable);
        }
    }

    EXPECT_TRUE(sawFoul);
    EXPECT_TRUE(sawReturn);
    EXPECT_TRUE(sawClock);
    EXPECT_TRUE(sawKeptTurn);
    ASSERT_EQ(vitoriaCallbacks.size(), 1u) << "no winner after " << shots << " shots";
    const int green = GetPlayer_Pts(0), red = GetPlayer_Pts(1);
    const int expected = green == 10 && red == 10 ? 0 : green == 10 ? 1 : 2;
    EXPECT_EQ(vitoriaCallbacks[0], expected);
    const int winnerSide = expected - 1;
    const int effect = expected == 0                    ? kEffectDraw
                       : GetPlayer_Host() == winnerSide ? kEffectWin
                                                        : kEffectLose;
    EXPECT_EQ(sound.Count(effect), 1);
    EXPECT_EQ(sound.Count(kEffectWin) + sound.Count(kEffectLose) + sound.Count(kEffectDraw), 1);

    // A decided match stays decided: no second Vitoria, no more turns.
    const size_t turns = turnCallbacks.size();
    for (int i = 0; i < 4000; ++i) AtualizaDiscos();
    EXPECT_EQ(vitoriaCallbacks.size(), 1u);
    EXPECT_EQ(turnCallbacks.size(), turns);
    EXPECT_EQ(DispararTiro(0, 21.5f, 5.0f, 0.0f), 1);  // the library itself does not refuse
    SetaCallBackMudaJogador(nullptr);
    SetaCallBackPoint(nullptr);
    SetaCallBackVitoria(nullptr);
}
