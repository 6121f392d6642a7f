// The panel changing size under a running match, through the library's
// exports on a virtual display: the game goes on exactly as it would have,
// the picture fills the new size, the HUD and the help panel grow with the
// panel's height, and a size the device cannot take is refused, logged,
// and leaves the old one drawing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/modules/engine_modules.h"
#include "game/game_state.h"
#include "platform/gfx/gfx_image.h"
#include "platform/window/bare_window.h"
#include "scene/scene.h"
#include "tests/base/log_tail.h"
#include "tests/scene/windowed_scene.h"
#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

namespace {

constexpr int kWidth = 570, kHeight = 400;
constexpr int kSpectator = 2;
constexpr int kSeed = 4242;
constexpr uint32_t kBackground = 0x808092;

// Every byte of the table, callbacks and options included.
std::vector<unsigned char> Snapshot() {
    std::vector<unsigned char> bytes(sizeof(GameState));
    std::memcpy(bytes.data(), &Game(), sizeof(GameState));
    return bytes;
}

// A match as green, the opening shot fired and a few steps into its run.
void StartMatchMidShot() {
    IniciaPartida(1, kSeed);
    ASSERT_EQ(DispararTiro(0, 21.5f, 40.0f, 0.05f), 1);
    for (int step = 0; step < 12; ++step) AtualizaDiscos();
    ASSERT_EQ(GetIsMoving(), 1);
}

// The frame just drawn, read from the back buffer, as a panel larger than
// the virtual screen cannot be read from the display; saved for people to
// look at.
struct Frame {
    std::vector<uint32_t> argb;
    uint32_t width = 0, height = 0;

    uint32_t At(uint32_t x, uint32_t y) const { return argb[size_t(y) * width + x] & 0xFFFFFF; }
};
Frame DrawAndRead(const std::string& png) {
    RenderCena();
    Frame frame;
    if (!Direct3D().device()->ReadBackBuffer(frame.argb, frame.width, frame.height))
        ADD_FAILURE() << "the frame cannot be read back";
    else
        EXPECT_TRUE(gfx::SaveArgbToPng(png.c_str(), frame.argb, frame.width, frame.height)) << png;
    return frame;
}

// A bounding box of pixels, empty until the first is added.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;

    bool Empty() const { return right < 0; }
    void Add(int x, int y) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
};

// Where the scene drew: the bounding box of the pixels that are not its
// grey background, sampled on a grid.
Box DrawAndMeasure(const std::string& png) {
    const Frame frame = DrawAndRead(png);
    Box box;
    constexpr uint32_t kStep = 4;
    for (uint32_t y = 0; y < frame.height; y += kStep)
        for (uint32_t x = 0; x < frame.width; x += kStep)
            if (frame.At(x, y) != kBackground) box.Add(int(x), int(y));
    return box;
}

// One scene for the whole suite, as the program has one for its life.
class SceneResizeTest : public WindowedSceneSuite {
protected:
    static void SetUpTestSuite() {
        if (!OpenWindow(kWidth, kHeight)) return;
        noSceneYet_ = ResizeScene(800, 600);
        OpenScene();
        Silence();
    }
    static void TearDownTestSuite() {
        if (started_) {
            FinalizaD3D();
            if (ResizeScene(800, 600) != -1) ADD_FAILURE() << "resized a finished scene";
        }
        window_.reset();
    }
    void SetUp() override {
        WindowedSceneSuite::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(noSceneYet_, -1) << "resized before the scene started";
        ASSERT_EQ(Resize(kWidth, kHeight), 0);
    }

    // The window and the scene together, as the program resizes its panel.
    static int Resize(int width, int height) {
        window_->Resize(width, height);
        return ResizeScene(width, height);
    }

    static inline int noSceneYet_ = 0;
};

TEST_F(SceneResizeTest, FiftyResizesMidShotLeaveTheGameAsItWouldHaveBeen) {
    // The shot run to rest without any resize...
    StartMatchMidShot();
    table_probe::RunShotToRest();
    const uint64_t undisturbed = table_probe::FullFingerprint();

    // ...and again, resized fifty times while the discs run.
    StartMatchMidShot();
    const std::vector<unsigned char> before = Snapshot();
    const int sizes[][2] = {{1280, 720}, {570, 400}, {1920, 1080}, {761, 523}, {3840, 2160}};
    LogTail log;
    for (int i = 0; i < 50; ++i) {
        const auto& size = sizes[i % 5];
        ASSERT_EQ(Resize(size[0], size[1]), 0) << size[0] << " x " << size[1];
    }
    EXPECT_EQ(Snapshot(), before) << "a resize changed the game";
    EXPECT_FALSE(log.Has("AVISO")) << log.Text();
    EXPECT_FALSE(log.Has("ERRO")) << log.Text();
    table_probe::RunShotToRest();
    EXPECT_EQ(table_probe::FullFingerprint(), undisturbed);
}

TEST_F(SceneResizeTest, TheTableFillsEachNewSizeAsItFillsTheDefaultOne) {
    IniciaPartida(1, kSeed);
    const Box small = DrawAndMeasure("resize_570x400.png");
    ASSERT_GE(small.right, 0) << "nothing drawn at 570 x 400";

    for (const auto& size : {std::pair{1280, 720}, std::pair{1920, 1080}}) {
        const auto [w, h] = size;
        ASSERT_EQ(Resize(w, h), 0);
        EXPECT_EQ(Direct3D().width(), w);
        EXPECT_EQ(Direct3D().height(), h);
        const Box big =
            DrawAndMeasure("resize_" + std::to_string(w) + "x" + std::to_string(h) + ".png");
        // The same field of view upwards: the table spans the same share of
        // the height, and stands in the middle of the wider panel.
        const float smallShare = float(small.bottom - small.top) / kHeight;
        const float bigShare = float(big.bottom - big.top) / float(h);
        EXPECT_NEAR(bigShare, smallShare, 0.04f) << w << " x " << h;
        EXPECT_NEAR((big.left + big.right) / 2.0f, w / 2.0f, w * 0.03f) << w << " x " << h;
        EXPECT_GT(big.right, kWidth) << "drawn into the old corner only";
        EXPECT_GT(big.bottom, kHeight) << "drawn into the old corner only";
    }
}

TEST_F(SceneResizeTest, ASizeTheDeviceCannotTakeKeepsTheOldOneAndSaysSo) {
    ASSERT_EQ(Resize(1280, 720), 0);
    for (const auto& size : {std::pair{0, 400}, std::pair{640, -3}, std::pair{40000, 720}}) {
        LogTail log;
        EXPECT_EQ(ResizeScene(size.first, size.second), -1);
        EXPECT_EQ(Direct3D().width(), 1280);
        EXPECT_EQ(Direct3D().height(), 720);
        EXPECT_TRUE(log.Has("continua em <1280x720>")) << log.Text();
    }
    // The old size still draws.
    IniciaPartida(1, kSeed);
    const Box box = DrawAndMeasure("resize_refused.png");
    EXPECT_GT(box.right, kWidth);
}

// The pixels of a frame where the other differs: what one thing drawn
// over the same picture covers.
Box Difference(const Frame& a, const Frame& b) {
    Box box;
    if (a.width != b.width || a.height != b.height) {
        ADD_FAILURE() << "frames of different sizes";
        return box;
    }
    for (uint32_t y = 0; y < a.height; ++y)
        for (uint32_t x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) box.Add(int(x), int(y));
    return box;
}

// The strongly green pixels of a box of the frame: the own-turn text is
// drawn in the green side's colour, which the table's greys and browns
// never reach.
Box GreenText(const Frame& frame, int left, int top, int right, int bottom) {
    Box box;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const uint32_t c = frame.At(uint32_t(x), uint32_t(y));
            const uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
            if (g > 200 && r < 80 && b < 80) box.Add(x, y);
        }
    }
    return box;
}

// The help shown whole however long the frame took: without F1 held it
// fades by the frame's time before it is drawn, and is drawn at most
// opaque.
void ShowHelpWhole() {
    ActiveScene()->counters.helpAlpha = 1e6f;
}

// A match watched from the stands, before its first shot: nothing on it
// moves from frame to frame (the intro's camera glides, and the player's
// own turn pulses).
void WatchStillMatch() {
    IniciaPartida(kSpectator, kSeed);
}

// The help panel (with the keys strip under it) over a still match: the
// pixels it changes.
Box HelpPanel(const std::string& name) {
    WatchStillMatch();
    const Frame without = DrawAndRead(name + "_intro.png");
    ShowHelpWhole();
    const Frame with = DrawAndRead(name + "_help.png");
    ActiveScene()->counters.helpAlpha = 0;
    return Difference(without, with);
}

// x as laid out on a 570 x 400 panel, kept at the same distance from the
// middle of a panel scaled by scale.
float Centred(float x, int width, float scale) {
    return float(width / 2) + (x - 285) * scale;
}

TEST_F(SceneResizeTest, TheHudTextAndTheHelpPanelGrowWithThePanelsHeight) {
    IniciaPartida(1, kSeed);
    const Frame small = DrawAndRead("hud_570x400.png");
    const Box smallText = GreenText(small, 0, kHeight * 3 / 4, kWidth / 2, kHeight);
    ASSERT_FALSE(smallText.Empty()) << "no own-turn text at 570 x 400";
    const Box smallHelp = HelpPanel("help_570x400");
    ASSERT_FALSE(smallHelp.Empty()) << "no help panel at 570 x 400";
    // The panel laid out for this size: 335 wide about the middle, from the
    // panel's top (200 - 150) to the keys strip's foot (375 + 23).
    EXPECT_NEAR(smallHelp.left, 285 - 167.5f, 2);
    EXPECT_NEAR(smallHelp.right, 285 + 167.5f, 2);
    EXPECT_NEAR(smallHelp.top, 50, 2);
    EXPECT_NEAR(smallHelp.bottom, 398, 2);

    for (const auto& size : {std::pair{1140, 800}, std::pair{1920, 1080}}) {
        const auto [w, h] = size;
        const std::string name = std::to_string(w) + "x" + std::to_string(h);
        const float scale = float(h) / kHeight;
        ASSERT_EQ(Resize(w, h), 0);
        IniciaPartida(1, kSeed);
        const Frame big = DrawAndRead("hud_" + name + ".png");
        // Hung from the left and bottom edges, every edge of the text moves
        // by the scale (give or take the glyphs' filtered rims).
        const Box text = GreenText(big, 0, h * 3 / 4, w / 2, h);
        ASSERT_FALSE(text.Empty()) << "no own-turn text at " << name;
        const float rim = 2 * scale;
        EXPECT_NEAR(text.left, smallText.left * scale, rim) << name;
        EXPECT_NEAR(text.right, smallText.right * scale, rim) << name;
        EXPECT_NEAR(h - text.top, (kHeight - smallText.top) * scale, rim) << name;
        EXPECT_NEAR(h - text.bottom, (kHeight - smallText.bottom) * scale, rim) << name;

        // Centred on the wider panel, the same share of its height.
        const Box help = HelpPanel("help_" + name);
        ASSERT_FALSE(help.Empty()) << "no help panel at " << name;
        EXPECT_NEAR(help.left, Centred(float(smallHelp.left), w, scale), rim) << name;
        EXPECT_NEAR(help.right, Centred(float(smallHelp.right), w, scale), rim) << name;
        EXPECT_NEAR(help.top, smallHelp.top * scale, rim) << name;
        EXPECT_NEAR(help.bottom, smallHelp.bottom * scale, rim) << name;
    }
}

TEST_F(SceneResizeTest, BackAtTheDefaultSizeEveryPixelIsAsBeforeAnyResize) {
    WatchStillMatch();
    ShowHelpWhole();
    const Frame before = DrawAndRead("default_before.png");
    ASSERT_TRUE(Difference(before, DrawAndRead("default_again.png")).Empty())
        << "the picture moves by itself";
    for (const auto& size : {std::pair{1920, 1080}, std::pair{1280, 720}})
        ASSERT_EQ(Resize(size.first, size.second), 0);
    ASSERT_EQ(Resize(kWidth, kHeight), 0);
    WatchStillMatch();
    ShowHelpWhole();
    const Frame after = DrawAndRead("default_after.png");
    const Box changed = Difference(before, after);
    EXPECT_TRUE(changed.Empty()) << "changed from (" << changed.left << ", " << changed.top
                                 << ") to (" << changed.right << ", " << changed.bottom << ")";
    ActiveScene()->counters.helpAlpha = 0;
}

}  // namespace
