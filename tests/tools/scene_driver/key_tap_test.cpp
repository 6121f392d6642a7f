// Key taps far shorter than a frame, sent with xdotool to the scene on a
// virtual display: each counts once, at the fastest and the slowest refresh
// choice, several of them falling between two drawn frames at 15 frames a
// second. The aim is read back from what the library reports.
#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <cstdlib>

#include "game/key_aim.h"
#include "tests/tools/scene_driver/driven_scene.h"

namespace {

// n taps of 5 ms, 20 ms apart, in one xdotool run.
void QuickTaps(const QString& key, int n) {
    QStringList args;
    for (int i = 0; i < n; ++i)
        args << "keydown" << key << "sleep" << "0.005" << "keyup" << key << "sleep" << "0.02";
    ASSERT_TRUE(XDoTool(args));
}

class KeyTaps : public testing::TestWithParam<int> {};

TEST_P(KeyTaps, EveryTapOfFiveMillisecondsCountsOnce) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: run through run-with-display.sh";
    DrivenScene scene;
    ASSERT_TRUE(scene.Ready());
    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(scene.Command(QStringLiteral("refresh %1").arg(GetParam())));
    ASSERT_TRUE(scene.Command("window"));
    const QString window = scene.process().Lines().filter("WINDOW ").last().split(' ').value(1);
    ASSERT_TRUE(XDoTool({"windowfocus", "--sync", window}));

    // The keys take the striker, then the cue, each with one quick tap; a
    // spot a disc blocks is left with a few more.
    QuickTaps("a", 1);
    for (int tries = 0; tries < 4 && ReadReportedAim(scene).phase != kAimHolding; ++tries) {
        QuickTaps("a", 3);
        QuickTaps("space", 1);
    }
    ASSERT_EQ(ReadReportedAim(scene).phase, kAimHolding) << scene.Tail();
    const ReportedAim before = ReadReportedAim(scene);

    QuickTaps("Left", 8);
    QuickTaps("Down", 6);
    QuickTaps("Right", 3);
    const ReportedAim after = ReadReportedAim(scene);
    EXPECT_NEAR(after.angle - before.angle, 5 * kKeyAngleStep, 1e-3f) << scene.Tail();
    EXPECT_NEAR(after.force - before.force, 6 * kKeyForceStep, 1e-3f) << scene.Tail();

    // One more tap shoots what the taps aimed.
    scene.Mark();
    QuickTaps("space", 1);
    const std::optional<QString> shot = scene.WaitFor("SHOOT ", 5000);
    ASSERT_TRUE(shot.has_value()) << scene.Tail();
    const QStringList v = shot->split(' ');
    EXPECT_NEAR(v.value(3).toFloat(), after.force, 1e-3f);
    EXPECT_NEAR(v.value(4).toFloat(), after.angle, 1e-3f);
}

// 60 and 15 frames a second.
INSTANTIATE_TEST_SUITE_P(Refresh, KeyTaps, testing::Values(1, 4));

}  // namespace
