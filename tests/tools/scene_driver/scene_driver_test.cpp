// The whole library in the scene driver's window on a virtual display:
// the scene's start and finish, what it draws for each mode and switch,
// aiming and turning the view with the real pointer, and its sound on SDL's
// disk driver. Screenshots stay in the test's folder for people to look at.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "tests/tools/scene_driver/driven_scene.h"

namespace {

// The near shooting strip of the green seat, and the table's middle, in the
// 570 x 400 window at the display's top-left corner.
constexpr int kStripX = 285, kStripY = 258;
constexpr int kMiddleX = 285, kMiddleY = 200;
// A shot's values are kept on a grid of 1/65536.
constexpr float kGridStep = 1.0f / 65536;

bool HaveDisplay() {
    return std::getenv("DISPLAY") != nullptr;
}

#define REQUIRE_DISPLAY()                                                           \
    if (!HaveDisplay()) GTEST_SKIP() << "no X display: run through run-with-display.sh"

// Each test drives a scene of its own, started from the built package and
// ready for commands.
class SceneDriver : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        scene_.emplace();
        ASSERT_TRUE(scene_->Ready());
    }
    DrivenScene& Scene() { return *scene_; }

private:
    std::optional<DrivenScene> scene_;
};

// The force of a SHOOT line "SHOOT x z force angle".
float ShotForce(const QString& line) {
    return line.split(' ').value(3).toFloat();
}

// Presses on the strip, pulls the pointer towards the player, lets go, and
// answers the shot the library hands back.
std::optional<QString> DragAShot(DrivenScene& scene, int pullPixels, bool withShift) {
    scene.Mark();
    XDoTool({"mousemove", QString::number(kStripX), QString::number(kStripY)});
    scene.Frames(5);
    if (withShift) XDoTool({"keydown", "shift"});
    XDoTool({"mousedown", "1"});
    scene.Frames(5);
    XDoTool({"mousemove", QString::number(kStripX), QString::number(kStripY + pullPixels)});
    scene.Frames(5);
    XDoTool({"mouseup", "1"});
    if (withShift) XDoTool({"keyup", "shift"});
    return scene.WaitFor("SHOOT ");
}

// SDL's disk driver writes what the mixer plays, 16-bit stereo, at the
// pace it would be heard, into sdlaudio.raw in the driver's folder.
qint64 AudioWritten(const DrivenScene& scene) {
    return QFileInfo(scene.folder() + "/sdlaudio.raw").size();
}

// The loudest sample written since the offset: 0 for silence, -1 when
// nothing was written since.
int LoudestSince(const DrivenScene& scene, qint64 offset) {
    QFile file(scene.folder() + "/sdlaudio.raw");
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset & ~qint64(3))) return -1;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) return -1;
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const int16_t sample = int16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
        loudest = std::max(loudest, std::abs(int(sample)));
    }
    return loudest;
}

bool Red(uint32_t c) {
    return (c >> 16 & 0xFF) > 180 && (c >> 8 & 0xFF) < 70 && (c & 0xFF) < 70;
}
bool Yellow(uint32_t c) {
    return (c >> 16 & 0xFF) > 180 && (c >> 8 & 0xFF) > 180 && (c & 0xFF) < 90;
}
bool White(uint32_t c) {
    return (c >> 16 & 0xFF) > 235 && (c >> 8 & 0xFF) > 235 && (c & 0xFF) > 235;
}

// Lets the frames run until a tenth of them is silent; false when the
// sound never ends within a few seconds.
bool WaitForSilence(DrivenScene& scene) {
    for (int i = 0; i < 30; ++i) {
        const qint64 from = AudioWritten(scene);
        if (!scene.Frames(10)) return false;
        if (LoudestSince(scene, from) == 0) return true;
    }
    return false;
}

// The lines checked here are plain ASCII in the log's Windows-1252.
QString ReadLog(const QString& folder) {
    QFile file(folder + "/debug.log");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll());
}

// The index of the first line of text at or after from that contains
// part; -1 when none does.
qsizetype LineWith(const QStringList& lines, const QString& part, qsizetype from) {
    for (qsizetype i = from; i < lines.size(); ++i)
        if (lines[i].contains(part)) return i;
    return -1;
}

TEST_F(SceneDriver, StartsWithThePackageAndLogsEveryAssetInOrder) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Frames(3));
    const QStringList lines = ReadLog(scene.folder()).split('\n');
    QStringList expected = {"Direct3d iniciado com sucesso em <570x400x32bpp>.",
                            "Iniciando VEX_Input: Ok."};
    const QStringList textures = {"mesa1.tga", "mesa2.tga",   "logo.tga",  "bastao.tga", "boom.tga",
                                  "fonte01.tga", "spark.tga", "rojao.tga", "disco.tga"};
    for (int i = 0; i < textures.size(); ++i)
        expected << QString("Textura <%1>(").arg(textures[i])
                 << QString("em index <%1>.").arg(i + 1);
    for (const char* mesh : {"mesa.x", "mesalow.x", "peao.x", "peaolow.x", "bastao.x", "base.x"})
        expected << QString("Arquivo <%1> carregado com sucesso.").arg(mesh);
    expected << "Tamanho de fonte lido com sucesso em <fonte01.dat>."
             << "Iniciando VEX_Audio: Ok." << "Arquivo <hit.wav> carregado com sucesso em index <0>."
             << "Arquivo <shake.wav> carregado com sucesso em index <26>."
             << "Iniciando VEX_Music: Ok." << "Arquivo <00.mid> carregado com sucesso em index <0>."
             << "Arquivo <11.mid> carregado com sucesso em index <11>.";
    qsizetype at = 0;
    for (const QString& part : expected) {
        const qsizetype found = LineWith(lines, part, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << part.toStdString();
        at = found;
    }
    EXPECT_EQ(lines.filter(QRegularExpression("<.*\\.wav> carregado com sucesso")).size(), 27);
    EXPECT_EQ(lines.filter(QRegularExpression("<.*\\.mid> carregado com sucesso")).size(), 12);
}

TEST_F(SceneDriver, ACleanFinishLeavesNoLogAndExitsZero) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("match 1 5"));
    ASSERT_TRUE(scene.Frames(10));
    EXPECT_EQ(scene.Quit(), 0);
    EXPECT_FALSE(QFile::exists(scene.folder() + "/debug.log"));
    EXPECT_TRUE(scene.process().ErrorLines().filter("X Error").isEmpty())
        << scene.process().ErrorLines().join('\n').toStdString();
}

TEST(SceneDriverWithoutPackage, AnErrorBoxShowsAndTheStartFails) {
    REQUIRE_DISPLAY();
    DrivenScene scene(false);
    ASSERT_TRUE(scene.Ready());
    // SDL puts its box in the middle of the 1024 x 768 display, a third of
    // the way down; keys go to the window under the pointer. Return closes
    // the box once it is up.
    XDoTool({"mousemove", "512", "272"});
    int failed = -1;
    for (int tries = 0; tries < 20 && failed < 0; ++tries) {
        XDoTool({"key", "Return"});
        failed = scene.process().WaitForLine("START FAILED -1", 0, 500);
    }
    EXPECT_GE(failed, 0) << scene.Tail();
    EXPECT_TRUE(scene.process().Lines().filter(QRegularExpression("^READY")).isEmpty());
    EXPECT_EQ(scene.process().WaitForExit(), 1);
    EXPECT_TRUE(ReadLog(scene.folder()).contains("dados.vpf"));
}

TEST_F(SceneDriver, TheIntroTurnsUnderTheLogoAndTheVersion) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Frames(10));
    const Picture first = scene.Screenshot("intro.png");
    ASSERT_FALSE(first.Empty());
    ASSERT_TRUE(scene.Frames(30));
    const Picture later = scene.Screenshot("intro_later.png");
    EXPECT_GT(first.CountDifferences(later), 2000) << "the table turns";
    // The logo at the top left, the version text at the bottom right.
    EXPECT_GT(first.CountNotGrey(10, 5, 250, 100), 10000);
    int white = 0;
    for (int y = 380; y < 400; ++y)
        for (int x = 500; x < 570; ++x) white += first.At(x, y) == 0xFFFFFF;
    EXPECT_GT(white, 20);
}

// A panel half as high again, within the virtual screen: the turn text
// and the clock grow with it, each in its own corner.
TEST_F(SceneDriver, ATallerPanelDrawsTheTurnTextAndTheClockLarger) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("match 1 4"));
    ASSERT_TRUE(scene.Frames(10));
    const Picture small = scene.Screenshot("turn_570x400.png");
    scene.Mark();
    ASSERT_TRUE(scene.Command("size 855 600"));
    ASSERT_TRUE(scene.WaitFor("SIZE 855 600 done", 5000)) << scene.Tail();
    ASSERT_TRUE(scene.Frames(10));
    const Picture large = scene.Screenshot("turn_855x600.png");
    const auto green = [](uint32_t c) { return c == 0x00FF00; };
    const int smallText = small.CountMatching(0, 360, 200, 400, green);
    const int largeText = large.CountMatching(0, 540, 300, 600, green);
    ASSERT_GT(smallText, 50);
    // The area grows by the scale squared, 2.25, give or take the rims.
    EXPECT_GT(largeText, 1.8 * smallText);
    EXPECT_LT(largeText, 2.8 * smallText);
    EXPECT_GT(large.CountNotGrey(780, 533, 855, 600), 2 * small.CountNotGrey(520, 355, 570, 400));
}

// Each switch changes the picture of a still table, and switching it back
// gives the picture back.
TEST_F(SceneDriver, MirrorQualityAndSpecularLightEachChangeThePicture) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("match 0 9"));
    ASSERT_TRUE(scene.Frames(10));
    const Picture all = scene.Screenshot("match_watching.png");
    for (const char* name : {"mirror", "quality", "light"}) {
        ASSERT_TRUE(scene.Command(QString("%1 0").arg(name)));
        ASSERT_TRUE(scene.Frames(4));
        const Picture off = scene.Screenshot(QString("match_%1_off.png").arg(name));
        ASSERT_TRUE(scene.Command(QString("%1 1").arg(name)));
        ASSERT_TRUE(scene.Frames(4));
        const Picture back = scene.Screenshot("match_back.png");
        EXPECT_GT(all.CountDifferences(off), 300) << name << " off changes nothing";
        EXPECT_LT(all.CountDifferences(back), 30) << name << " on again";
    }
}

TEST_F(SceneDriver, BothSeatsSeeTheTableFromTheirSideWithTheirTurnText) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("match 1 4"));
    ASSERT_TRUE(scene.Frames(10));
    const Picture green = scene.Screenshot("match_green.png");
    ASSERT_TRUE(scene.Command("match 2 4"));
    ASSERT_TRUE(scene.Frames(10));
    const Picture red = scene.Screenshot("match_red.png");
    // Green moves first: the green seat has its clock at the bottom right,
    // the red seat none.
    EXPECT_GT(green.CountNotGrey(520, 355, 570, 400), 500);
    EXPECT_LT(red.CountNotGrey(520, 355, 570, 400), 100);
    // Both read a green text at the bottom left.
    for (const Picture* seat : {&green, &red})
        EXPECT_GT(seat->CountMatching(0, 360, 200, 400, [](uint32_t c) { return c == 0x00FF00; }),
                  50);
}

TEST_F(SceneDriver, DraggingTheRealMouseShootsWithTheForceItMeasured) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(scene.Frames(10));
    const std::optional<QString> shot = DragAShot(scene, 60, false);
    ASSERT_TRUE(shot.has_value()) << "no shot came back:\n" << scene.Tail();
    EXPECT_NEAR(ShotForce(*shot), 4.0f, kGridStep) << "60 pixels at sensitivity 100";
    EXPECT_EQ(scene.process().CountOf(*shot), 1);
    ASSERT_TRUE(scene.Frames(3));
    scene.Screenshot("practice_shot.png");
    ASSERT_TRUE(scene.Command("state"));
    EXPECT_TRUE(scene.process().Lines().filter("STATE").last().contains("moving 1"));
}

// A tap of 5 ms: the keyboard's events count it even between two frames.
// A longer hold would be a real hold on a loaded machine, where xdotool may
// wait past the repeat delay before it lets go, and rightly repeat.
void TapKey(DrivenScene& scene, const QString& key, int times = 1) {
    for (int i = 0; i < times; ++i) {
    XDoTool({"keydown", key, "sleep", "0.005", "keyup", key});
        scene.Frames(2);
    }
}

TEST_F(SceneDriver, KeysAloneAimAndShootWhileThePointerRestsInACorner) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("practice Tester"));
    // The pointer gives the window the focus (the display has no window
    // manager) and does not move again.
    XDoTool({"mousemove", "20", "60"});
    ASSERT_TRUE(scene.Frames(10));
    scene.Mark();
    // Held, A runs the striker to the left end of its strip on the screen,
    // +x for the green seat; then taps back to the right.
    XDoTool({"keydown", "a"});
    ASSERT_TRUE(scene.Frames(400));  // from any spot, the whole strip at 10 units a second
    XDoTool({"keyup", "a"});
    TapKey(scene, "d", 3);
    TapKey(scene, "Right", 2);  // the arrows place too
    TapKey(scene, "space");
    TapKey(scene, "Down", 6);
    TapKey(scene, "Left", 3);
    XDoTool({"keydown", "shift"});
    TapKey(scene, "Left", 2);  // two tenth steps more
    XDoTool({"keyup", "shift"});
    ASSERT_TRUE(scene.Frames(3));
    const Picture aiming = scene.Screenshot("keys_aiming.png");
    // The striker (yellow) lies left of the table's middle on the screen.
    EXPECT_GT(aiming.CountMatching(150, 220, 285, 290, Yellow), 300);
    EXPECT_LT(aiming.CountMatching(285, 220, 440, 290, Yellow), 50);
    TapKey(scene, "space");
    const std::optional<QString> shot = scene.WaitFor("SHOOT ");
    ASSERT_TRUE(shot.has_value()) << "no shot came back:\n" << scene.Tail();
    const QStringList values = shot->split(' ');
    EXPECT_NEAR(values.value(1).toFloat(), 19.9f - 5 * 0.5f, 1e-3f) << "x";
    EXPECT_NEAR(values.value(2).toFloat(), 21.65f, 1e-3f) << "z, the middle of the strip";
    EXPECT_NEAR(values.value(3).toFloat(), 6 * 4.0f / 15.0f, 1e-3f) << "force";
    EXPECT_NEAR(values.value(4).toFloat(), 3.2f * 2.0f / 80.0f, 1e-3f) << "angle";
    EXPECT_EQ(scene.process().CountOf(*shot), 1);
}

// Pixels in the rectangle that differ between the two pictures.
int DifferencesIn(const Picture& a, const Picture& b, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += a.At(x, y) != b.At(x, y);
    return count;
}

TEST_F(SceneDriver, AGamepadPluggedInDuringPracticeAimsShootsAndShowsItsHelp) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("practice Tester"));
    XDoTool({"mousemove", "20", "60"});  // the focus; the pointer stays off the table
    ASSERT_TRUE(scene.Frames(10));
    scene.Mark();
    ASSERT_TRUE(scene.Command("pad plug"));
    ASSERT_TRUE(scene.WaitFor("PAD plugged").has_value()) << scene.Tail();
    // Resting a little off its middle, the stick places no striker.
    ASSERT_TRUE(scene.Command("pad stick 7000 -7000"));
    ASSERT_TRUE(scene.Frames(60));
    const Picture resting = scene.Screenshot("pad_resting.png");
    EXPECT_LT(resting.CountMatching(100, 220, 470, 300, Yellow), 50) << "no striker";

    // The fourth button shows the help, with the pad's controls in the
    // strip under it where F1 shows the keys'.
    ASSERT_TRUE(scene.Command("pad button 3 1"));
    ASSERT_TRUE(scene.Frames(40));
    const Picture padHelp = scene.Screenshot("pad_help.png");
    ASSERT_TRUE(scene.Command("pad button 3 0"));
    EXPECT_GT(padHelp.CountMatching(100, 60, 470, 340, White), 40000) << "the help panel";
    ASSERT_TRUE(scene.Frames(40));
    XDoTool({"keydown", "F1"});
    EXPECT_TRUE(scene.Frames(40));  // F1 must come up again whatever happens
    const Picture keysHelp = scene.Screenshot("pad_help_keys.png");
    XDoTool({"keyup", "F1"});
    EXPECT_LT(DifferencesIn(padHelp, keysHelp, 117, 50, 453, 350), 100) << "the same help panel";
    EXPECT_GT(DifferencesIn(padHelp, keysHelp, 117, 352, 453, 398), 400) << "another strip";
    ASSERT_TRUE(scene.Frames(40));
    // Pushed left it brings the striker in, left of the middle on the
    // screen; the first button takes the cue, pulling the stick back draws it.
    ASSERT_TRUE(scene.Command("pad stick -32768 0"));
    ASSERT_TRUE(scene.Frames(20));
    ASSERT_TRUE(scene.Command("pad stick 0 0"));
    ASSERT_TRUE(scene.Command("pad button 0 1"));
    ASSERT_TRUE(scene.Frames(2));
    ASSERT_TRUE(scene.Command("pad button 0 0"));
    ASSERT_TRUE(scene.Command("pad stick 0 32767"));
    ASSERT_TRUE(scene.Frames(30));
    ASSERT_TRUE(scene.Command("pad stick -7000 7000"));
    ASSERT_TRUE(scene.Frames(3));
    const Picture aimed = scene.Screenshot("pad_aimed.png");
    // However far a slow frame let it run, the strip's end holds it.
    EXPECT_GT(aimed.CountMatching(60, 220, 285, 300, Yellow), 300);
    EXPECT_LT(aimed.CountMatching(285, 220, 510, 300, Yellow), 50);
    ASSERT_TRUE(scene.Frames(60));
    // The table and the cue, above the HUD's lines that tell the time.
    EXPECT_LT(DifferencesIn(aimed, scene.Screenshot("pad_rested.png"), 0, 60, 570, 330), 50)
        << "a resting stick leaves striker and cue where they are";
    ASSERT_TRUE(scene.Command("pad button 0 1"));
    const std::optional<QString> shot = scene.WaitFor("SHOOT ");
    ASSERT_TRUE(shot.has_value()) << "no shot came back:\n" << scene.Tail();
    const QStringList values = shot->split(' ');
    EXPECT_GT(values.value(1).toFloat(), 0.0f) << "x: green's left on the screen is +x";
    EXPECT_NEAR(values.value(2).toFloat(), 21.65f, 1e-3f) << "z, the middle of the strip";
    EXPECT_GT(values.value(3).toFloat(), 1.0f) << "force";
    EXPECT_EQ(values.value(4).toFloat(), 0.0f) << "angle: the stick went straight back";
    ASSERT_TRUE(scene.Command("pad button 0 0"));

}

TEST_F(SceneDriver, ShiftAndSensitivityScaleTheForce) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(scene.Frames(10));
    std::optional<QString> shot = DragAShot(scene, 60, true);
    ASSERT_TRUE(shot.has_value()) << scene.Tail();
    EXPECT_NEAR(ShotForce(*shot), 1.8f, 1e-4f) << "fine aiming with Shift";

    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(scene.Command("sensitivity 200"));
    ASSERT_TRUE(scene.Frames(10));
    shot = DragAShot(scene, 60, false);
    ASSERT_TRUE(shot.has_value()) << scene.Tail();
    EXPECT_NEAR(ShotForce(*shot), 2.0f, kGridStep) << "twice the sensitivity, half the force";
}

TEST_F(SceneDriver, TheRightButtonTurnsTheTableAndShiftPutsItBack) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("match 0 3"));
    XDoTool({"mousemove", QString::number(kMiddleX), QString::number(kMiddleY)});
    ASSERT_TRUE(scene.Frames(10));
    const Picture rest = scene.Screenshot("view_rest.png");
    XDoTool({"mousedown", "3"});
    scene.Frames(3);
    XDoTool({"mousemove", QString::number(kMiddleX + 100), QString::number(kMiddleY)});
    scene.Frames(3);
    XDoTool({"mouseup", "3"});
    ASSERT_TRUE(scene.Frames(3));
    const Picture turned = scene.Screenshot("view_turned.png");
    EXPECT_GT(rest.CountDifferences(turned), 5000);

    XDoTool({"keydown", "shift"});
    XDoTool({"mousedown", "3"});
    scene.Frames(3);
    XDoTool({"mouseup", "3"});
    XDoTool({"keyup", "shift"});
    ASSERT_TRUE(scene.Frames(3));
    EXPECT_LT(rest.CountDifferences(scene.Screenshot("view_back.png")), 30);
}

TEST_F(SceneDriver, AShotSoundsAndTheMusicFollowsItsSwitch) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("music 0"));
    ASSERT_TRUE(scene.Frames(20));
    qint64 from = AudioWritten(scene);
    ASSERT_TRUE(scene.Frames(30));
    EXPECT_EQ(LoudestSince(scene, from), 0) << "music off and no shot: silence";

    ASSERT_TRUE(scene.Command("music 1"));
    ASSERT_TRUE(scene.Frames(30));
    from = AudioWritten(scene);
    ASSERT_TRUE(scene.Frames(30));
    EXPECT_GT(LoudestSince(scene, from), 500) << "the intro song plays";

    ASSERT_TRUE(scene.Command("music 0"));
    ASSERT_TRUE(scene.Frames(20));
    from = AudioWritten(scene);
    ASSERT_TRUE(scene.Frames(30));
    EXPECT_EQ(LoudestSince(scene, from), 0) << "the song stopped";

    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(scene.Frames(10));
    from = AudioWritten(scene);
    scene.Mark();
    scene.process().Send("shoot 0 21.899 6 0");
    ASSERT_TRUE(scene.WaitFor("FIRED 1").has_value()) << scene.Tail();
    ASSERT_TRUE(scene.Frames(40));
    EXPECT_GT(LoudestSince(scene, from), 500) << "the shot and its hits sound";

    // Switching the effects off silences what comes after; what already
    // plays ends by itself.
    ASSERT_TRUE(scene.Command("sound 0"));
    ASSERT_TRUE(scene.Command("practice Tester"));
    ASSERT_TRUE(WaitForSilence(scene));
    from = AudioWritten(scene);
    scene.process().Send("shoot 0 21.899 6 0");
    ASSERT_TRUE(scene.Frames(40));
    EXPECT_EQ(LoudestSince(scene, from), 0) << "effects switched off";
}

TEST_F(SceneDriver, TheHelpPanelALostRunWithItsFireworksAndTheBestPlays) {
    DrivenScene& scene = Scene();
    ASSERT_TRUE(scene.Command("practice Tester"));
    XDoTool({"mousemove", QString::number(kMiddleX), QString::number(kMiddleY)});
    ASSERT_TRUE(scene.Frames(10));
    const Picture playing = scene.Screenshot("practice_hud.png");
    XDoTool({"keydown", "F1"});
    ASSERT_TRUE(scene.Frames(40));
    const Picture help = scene.Screenshot("help_panel.png");
    XDoTool({"keyup", "F1"});
    EXPECT_GT(playing.CountDifferences(help), 40000) << "the panel covers the table";
    EXPECT_GT(help.CountMatching(100, 60, 470, 340, White), 40000) << "on a light panel";

    // The striker set down at a hole's edge falls: each such shot costs a
    // try, and the fourth ends the run.
    for (int shot = 0; shot < 4; ++shot) {
        ASSERT_TRUE(scene.Command("shoot 24 24 1 0"));
        ASSERT_TRUE(scene.WaitUntilStill()) << scene.Tail();
    }
    ASSERT_TRUE(scene.Frames(40));
    const Picture lost = scene.Screenshot("practice_lost.png");
    // The table's own red marks lie there too, turned with the view.
    EXPECT_GT(lost.CountMatching(185, 170, 385, 250, Red),
              playing.CountMatching(185, 170, 385, 250, Red) + 500)
        << "the you-lost banner";
    ASSERT_TRUE(scene.Frames(20));
    EXPECT_GT(lost.CountDifferences(scene.Screenshot("practice_lost_fireworks.png")), 5000)
        << "the table spins under the rockets";

    ASSERT_TRUE(scene.Command("records"));
    ASSERT_TRUE(scene.Frames(60));
    const Picture records = scene.Screenshot("best_plays.png");
    EXPECT_GT(records.CountMatching(100, 290, 470, 400, White), 800) << "the table of names";
    EXPECT_LT(lost.CountMatching(100, 290, 470, 400, White), 200);
}

}  // namespace
