// A practice level cleared by one way of aiming: the computer player's
// search picks each shot on the table, the aim under test must hand over
// that shot, and the shot is then played to rest. Shared by the tests that
// clear a level with the keys or a gamepad, headless or in the window.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "ai/shot_search.h"
#include "game/game_state.h"
#include "game/key_aim.h"
#include "tools/table_probe/table_probe.h"
#include "tests/game/game_fixture.h"
#include "vexlib/exports.h"

// Own discs down; the other colour and the striker stay on the table.
inline std::optional<ai::Shot> PlanPracticeShot(const GameState& g) {
    return ai::FindShot(
        g,
        [](const ai::ShotResult& r) {
            return 10 * r.ownPocketed - 50 * r.strikerFell - 50 * r.otherPocketed;
        },
        -1);
}

// The handed-over shot must be the plan within the keys' tenth steps (the
// finest any way of aiming here reaches); it is then fired and played to
// rest on the library's table.
inline void PlayHandedOverShot(const ai::Shot& handed, const ai::Shot& plan) {
    EXPECT_NEAR(handed.x, plan.x, kKeyStrikerStep * kKeyFineFactor);
    EXPECT_NEAR(handed.angle, plan.angle, kKeyAngleStep * kKeyFineFactor);
    EXPECT_NEAR(handed.force, plan.force, kKeyForceStep * kKeyFineFactor);
    ASSERT_EQ(DispararTiro(handed.x, handed.z, handed.force, handed.angle), 1);
    table_probe::RunShotToRest();
}

// A practice level on the library's table, the shot the aim hands over
// caught, and a passed turn coming back to this machine as in practice.
class PracticeLevelTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        SetaCallBackShoot(OnShoot);
        SetaCallBackMudaJogador(OnTurn);
        handedOver.reset();
    }
    void TearDown() override {
        SetaCallBackShoot(nullptr);
        SetaCallBackMudaJogador(nullptr);
        GameTest::TearDown();
    }

    // Plays the level on the table until it is cleared: aim aims and
    // shoots each planned shot, frame runs one frame while the cue goes in.
    void ClearTheLevel(const std::function<void(const ai::Shot&)>& aim,
                       const std::function<void()>& frame) {
        GameState& g = Game();
        int shots = 0;
        while (g.practicePhase == kPhasePlaying && shots < 25) {
            SCOPED_TRACE("shot " + std::to_string(shots));
            const auto plan = PlanPracticeShot(g);
            ASSERT_TRUE(plan.has_value());
            aim(*plan);
            if (HasFatalFailure()) return;
            for (int i = 0; i < 200 && !handedOver; ++i) frame();
            ASSERT_TRUE(handedOver.has_value());
            PlayHandedOverShot(*handedOver, *plan);
            handedOver.reset();
            ++shots;
        }
        EXPECT_EQ(g.practicePhase, kPhaseLevelCleared) << "after " << shots << " shots";
        EXPECT_EQ(g.winner, kSideGreen);
        EXPECT_EQ(g.shotsTaken, shots);
    }

    static inline std::optional<ai::Shot> handedOver;

private:
    static void OnShoot(float x, float z, float force, float angle) {
        handedOver = ai::Shot{x, z, force, angle};
    }
    static void OnTurn(int) { MudaJogador(0); }
};
