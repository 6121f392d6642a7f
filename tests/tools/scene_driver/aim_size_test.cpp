// Aiming with the real pointer on panels of different sizes: the same hand
// movement, pressed on the same spot of the table, shoots the same force
// and angle on the design's small panel and on a full-HD one. Needs a
// virtual screen that holds the large panel (the test command gives it
// one); on a smaller screen the test says so and is skipped.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <cmath>
#include <cstdlib>

#include "tests/tools/scene_driver/driven_scene.h"

namespace {

// Where the pointer rests between moves (screen pixels) and how it moves
// while the button is held: each step is one relative move of the pointer,
// read by the frames that follow it. Downwards pulls the cue back, sideways
// turns it; the last steps with Shift held aim finely.
struct HandStep {
    int dx, dy;
    bool shift;
};
constexpr HandStep kHandMovement[] = {
    {0, 20, false}, {0, 20, false}, {12, 20, false}, {-30, 0, false},
    {0, 9, true},   {7, 0, true},
};
constexpr float kSensitivity = 100.0f;

// What the movement above gives at sensitivity 100: force by the pull,
// angle by the sideways travel, each over its divisor (coarse, then with
// Shift), before the grid of 1/65536 the library keeps both on.
constexpr float kCoarseForce = 60.0f / (kSensitivity * 0.15f);
constexpr float kFineForce = 9.0f / (kSensitivity / 3.0f);
constexpr float kCoarseAngle = -(12.0f - 30.0f) / (kSensitivity * 0.8f);
constexpr float kFineAngle = -7.0f / (kSensitivity * 3.5f);

struct Shot {
    float x = 0, z = 0, force = 0, angle = 0;
};

std::optional<Shot> ParseShot(const QString& line) {
    const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
    if (parts.size() != 5) return std::nullopt;
    return Shot{parts[1].toFloat(), parts[2].toFloat(), parts[3].toFloat(), parts[4].toFloat()};
}

// The virtual screen's size, as xdotool reads it.
bool ScreenHolds(int width, int height) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")});
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0) return false;
    const QStringList size = QString::fromLatin1(tool.readAllStandardOutput()).split(' ');
    return size.value(0).toInt() >= width && size.value(1).trimmed().toInt() >= height;
}

// A new practice run; the pointer presses on the spot, makes the hand
// movement and lets go. Answers the shot the library handed back.
std::optional<Shot> AimAShot(DrivenScene& scene, int spotX, int spotY) {
    if (!scene.Command("practice Tester") || !scene.Frames(10)) return std::nullopt;
    scene.Mark();
    XDoTool({"mousemove", QString::number(spotX), QString::number(spotY)});
    scene.Frames(5);
    XDoTool({"mousedown", "1"});
    scene.Frames(5);
    bool shiftHeld = false;
    for (const HandStep& step : kHandMovement) {
        if (step.shift != shiftHeld) XDoTool({step.shift ? "keydown" : "keyup", "shift"});
        shiftHeld = step.shift;
        XDoTool({"mousemove_relative", "--", QString::number(step.dx), QString::number(step.dy)});
        scene.Frames(4);
    }
    XDoTool({"mouseup", "1"});
    if (shiftHeld) XDoTool({"keyup", "shift"});
    const std::optional<QString> line = scene.WaitFor("SHOOT ");
    return line ? ParseShot(*line) : std::nullopt;
}

TEST(AimOnEveryPanelSize, TheSameHandMovementShootsTheSameForceAndAngleAt570x400AndFullHd) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display: run through run-with-display.sh";
    if (!ScreenHolds(1920, 1080)) GTEST_SKIP() << "the virtual screen is smaller than 1920 x 1080";
    DrivenScene scene;
    ASSERT_TRUE(scene.Ready());

    // The middle of the near shooting strip: at 570 x 400 and, the view's
    // height fixed, at the same height share of a 1080-pixel panel.
    const std::optional<Shot> small = AimAShot(scene, 285, 258);
    ASSERT_TRUE(small.has_value()) << "no shot at 570 x 400:\n" << scene.Tail();
    scene.Screenshot("aim_570x400.png");

    scene.Mark();
    ASSERT_TRUE(scene.Command("size 1920 1080"));
    ASSERT_TRUE(scene.WaitFor("SIZE 1920 1080 done", 5000)) << scene.Tail();
    const std::optional<Shot> large = AimAShot(scene, 960, 697);
    ASSERT_TRUE(large.has_value()) << "no shot at 1920 x 1080:\n" << scene.Tail();
    scene.Screenshot("aim_1920x1080.png");

    // The movement was read whole, at either size...
    EXPECT_NEAR(small->force, kCoarseForce + kFineForce, 1e-4f);
    EXPECT_NEAR(small->angle, kCoarseAngle + kFineAngle, 1e-4f);
    // ... and lands on the same point of the 1/65536 grid.
    EXPECT_EQ(std::lround(small->force * 65536), std::lround(large->force * 65536));
    EXPECT_EQ(std::lround(small->angle * 65536), std::lround(large->angle * 65536));
    // The pick ray follows the panel: the same spot of the table, within
    // what one pixel of the small panel covers.
    EXPECT_NEAR(small->x, large->x, 0.15f);
    EXPECT_NEAR(small->z, large->z, 0.15f);
}

}  // namespace
