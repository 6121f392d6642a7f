// A practice level cleared in the window with the keyboard alone: xdotool
// key events on the virtual display, the window given the focus without
// the pointer, and the keys read by the library itself (their presses as
// events, their held state from the keymap).
// The test keeps its own copy of the level in its process, plays every shot
// the window hands back on it too, and lets the computer player's search
// pick the next shot there; the window's table must agree at every step.
#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <cstdlib>

#include "tests/game/practice_plan.h"
#include "tests/tools/scene_driver/driven_scene.h"

namespace {

// Taps a key n times in one xdotool run, each tap and each pause long
// enough for a drawn frame to see it even on a loaded machine (a tap that
// a stalled frame still misses is made up by the callers); with Shift held
// for tenth steps.
void Tap(const QString& key, int n, bool fine = false) {
    if (n <= 0) return;
    QStringList args;
    if (fine) args << "keydown" << "shift";
    for (int i = 0; i < n; ++i) args << "keydown" << key << "sleep" << "0.07" << "keyup" << key
                                     << "sleep" << "0.07";
    if (fine) args << "keyup" << "shift";
    XDoTool(args);
}

// Taps towards the target until the reported value is within a tenth step:
// whole steps, then tenth ones, read back after each round so a tap a slow
// frame missed is made up.
bool TapTowards(DrivenScene& scene, float (*value)(const ReportedAim&), float target, float step,
                const QString& raise, const QString& lower) {
    for (int round = 0; round < 4; ++round) {
        const float gap = target - value(ReadReportedAim(scene));
        if (std::fabs(gap) <= step * kKeyFineFactor * 0.51f) return true;
        const int coarse = int(std::trunc(gap / step));
        Tap(coarse > 0 ? raise : lower, std::abs(coarse));
        const int fine = int(std::lround((gap - coarse * step) / (step * kKeyFineFactor)));
        Tap(fine > 0 ? raise : lower, std::abs(fine), true);
    }
    return std::fabs(target - value(ReadReportedAim(scene))) <= step * kKeyFineFactor * 0.51f;
}

TEST(KeyLevel, APracticeLevelIsClearedInTheWindowWithTheKeysAlone) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: run through run-with-display.sh";
    DrivenScene scene;
    ASSERT_TRUE(scene.Ready());
    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(scene.Command("window"));
    const QString window = scene.process().Lines().filter("WINDOW ").last().split(' ').value(1);
    ASSERT_TRUE(XDoTool({"windowfocus", "--sync", window}));

    // The same level in this process, to plan on.
    SetLibraryStartDefaults(Game());
    IniciaOffline("Tester");
    GameState& g = Game();
    int shots = 0;
    while (g.practicePhase == kPhasePlaying && shots < 10) {
        const auto plan = PlanPracticeShot(g);
        ASSERT_TRUE(plan.has_value());
        // A tap takes the striker over; for the green seat A is +x.
        Tap("a", 1);
        ASSERT_TRUE(TapTowards(
            scene, [](const ReportedAim& a) { return a.x; }, plan->x, kKeyStrikerStep, "a", "d"))
            << "shot " << shots;
        for (int tries = 0; tries < 3 && ReadReportedAim(scene).phase != kAimHolding; ++tries)
            Tap("space", 1);
        ASSERT_EQ(ReadReportedAim(scene).phase, kAimHolding) << "shot " << shots << "\n" << scene.Tail();
        ASSERT_TRUE(TapTowards(
            scene, [](const ReportedAim& a) { return a.angle; }, plan->angle, kKeyAngleStep, "Left",
            "Right"));
        ASSERT_TRUE(TapTowards(
            scene, [](const ReportedAim& a) { return a.force; }, plan->force, kKeyForceStep, "Down", "Up"));
        scene.Mark();
        std::optional<QString> shot;
        for (int tries = 0; tries < 3 && !shot; ++tries) {
            Tap("space", 1);
            shot = scene.WaitFor("SHOOT ", 3000);
        }
        ASSERT_TRUE(shot.has_value()) << "shot " << shots << "\n" << scene.Tail();
        const QStringList v = shot->split(' ');
        PlayHandedOverShot({v[1].toFloat(), v[2].toFloat(), v[3].toFloat(), v[4].toFloat()}, *plan);
        ASSERT_TRUE(scene.WaitUntilStill()) << scene.Tail();
        ++shots;
        // The window's table is this one.
        const QString state = scene.process().Lines().filter("STATE").last();
        EXPECT_TRUE(state.contains(QString("points %1 %2").arg(GetPlayer_Pts(0)).arg(GetPlayer_Pts(1))))
            << state.toStdString();
    }
    EXPECT_EQ(g.practicePhase, kPhaseLevelCleared) << "after " << shots << " shots";
    ASSERT_TRUE(scene.Frames(20));
    scene.Screenshot("keys_level_cleared.png");
}

}  // namespace
