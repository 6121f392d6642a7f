// A shot aimed with the pointer, step by step as a hand moves, gives the
// force and angle of its travel, and a still pointer adds nothing: on a
// plain X server, where the aim pins the pointer back with warps, and as an
// X client of Xwayland under a Wayland compositor, where warps are not
// honoured and the aim counts the devices' raw motion instead. The same
// test runs on both (see CMakeLists.txt); on the compositor the pointer is
// moved on the display the compositor itself draws on.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <cstdlib>

#include "tests/tools/scene_driver/driven_scene.h"

namespace {

// The green seat's shooting strip in the 570 x 400 window.
constexpr int kStripX = 285, kStripY = 258;
// At the default sensitivity of 100 a pixel towards the player is 1/15 of
// force and a pixel sideways 1/80 of a radian.
constexpr float kForcePerPixel = 1.0f / 15.0f, kAnglePerPixel = 1.0f / 80.0f;

struct Aim {
    float force = -1, angle = -1;
};

Aim ReadAim(DrivenScene& scene) {
    Aim aim;
    if (!scene.Frames(25) || !scene.Command("aim")) return aim;
    const QStringList values = scene.process().Lines().filter("AIMED ").last().split(' ');
    aim.force = values.value(3).toFloat();
    aim.angle = values.value(4).toFloat();
    return aim;
}

TEST(PointerAim, AStepByStepPullGivesItsTravelAndAStillPointerAddsNothing) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: run through a display script";
    const QString pointer = qEnvironmentVariable("RINGDISK_POINTER_DISPLAY",
                                                 qEnvironmentVariable("DISPLAY"));
    DrivenScene scene;
    ASSERT_TRUE(scene.Ready());
    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(scene.Command("window"));
    const QString window = scene.process().Lines().filter("WINDOW ").last().split(' ').value(1);
    // Where the window lies on the screen: at the corner of a bare server,
    // wherever the compositor put it on one.
    // (xwininfo, as xdotool counts a window manager's frame twice).
    QProcess where;
    where.start("xwininfo", {"-id", window});
    ASSERT_TRUE(where.waitForFinished(10000));
    int left = -1, top = -1;
    for (QString line : QString::fromLatin1(where.readAllStandardOutput()).split('\n')) {
        line = line.trimmed();
        if (line.startsWith("Absolute upper-left X:")) left = line.section(':', 1).toInt();
        if (line.startsWith("Absolute upper-left Y:")) top = line.section(':', 1).toInt();
    }
    ASSERT_GE(left, 0);
    ASSERT_GE(top, 0);
    const int x = left + kStripX, y = top + kStripY;

    // In from outside, as a hand brings the pointer, then onto the strip.
    XDoToolOn(pointer, {"mousemove", "1000", "750"});
    XDoToolOn(pointer, {"mousemove", QString::number(x), QString::number(y - 5)});
    ASSERT_TRUE(scene.Frames(5));
    XDoToolOn(pointer, {"mousemove", QString::number(x), QString::number(y)});
    ASSERT_TRUE(scene.Frames(5));
    XDoToolOn(pointer, {"mousedown", "1"});
    ASSERT_TRUE(scene.Frames(5));
    // Six steps of ten pixels towards the player, three to the left, each
    // seen by frames of its own: relative motion, as a hand moves a mouse
    // (a pinned pointer is back at the pin before each step).
    for (int step = 1; step <= 6; ++step) {
        XDoToolOn(pointer, {"mousemove_relative", "0", "10"});
        ASSERT_TRUE(scene.Frames(3));
    }
    for (int step = 1; step <= 3; ++step) {
        XDoToolOn(pointer, {"mousemove_relative", "--", "-10", "0"});
        ASSERT_TRUE(scene.Frames(3));
    }
    const Aim aimed = ReadAim(scene);
    EXPECT_NEAR(aimed.force, 60 * kForcePerPixel, 1e-3f);
    EXPECT_NEAR(aimed.angle, 30 * kAnglePerPixel, 1e-3f);
    ASSERT_TRUE(scene.Frames(60));
    const Aim still = ReadAim(scene);
    EXPECT_EQ(still.force, aimed.force) << "a still pointer adds no force";
    EXPECT_EQ(still.angle, aimed.angle) << "nor any angle";
    scene.Mark();
    XDoToolOn(pointer, {"mouseup", "1"});
    const std::optional<QString> shot = scene.WaitFor("SHOOT ");
    ASSERT_TRUE(shot.has_value()) << scene.Tail();
    EXPECT_NEAR(shot->split(' ').value(3).toFloat(), 60 * kForcePerPixel, 1e-3f);
    EXPECT_NEAR(shot->split(' ').value(4).toFloat(), 30 * kAnglePerPixel, 1e-3f);
}

}  // namespace
