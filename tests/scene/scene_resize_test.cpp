// The panel changing size under a running match, through the library's
// exports on a virtual display: the game goes on exactly as it would have,
// the picture fills the new size, and a size the device cannot take is
// refused, logged, and leaves the old one drawing.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/modules/engine_modules.h"
#include "game/game_state.h"
#include "platform/gfx/gfx_image.h"
#include "platform/window/bare_window.h"
#include "tests/base/log_tail.h"
#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

namespace {

constexpr int kWidth = 570, kHeight = 400;
constexpr int kEnglish = 2;
constexpr int kSeed = 4242;
constexpr uint32_t kBackground = 0x808092;

// The library reads dados.vpf from the folder it runs in.
void ProvidePackage() {
    if (!std::filesystem::exists("dados.vpf"))
        std::filesystem::create_symlink(RINGDISK_PACKAGE, "dados.vpf");
}

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

// Where the scene drew: the bounding box of the pixels of the frame just
// drawn that are not its grey background, sampled on a grid. Read from the
// back buffer, as a panel larger than the virtual screen cannot be read
// from the display.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Box DrawAndMeasure(const std::string& png) {
    RenderCena();
    std::vector<uint32_t> argb;
    uint32_t width = 0, height = 0;
    Box box;
    if (!Direct3D().device()->ReadBackBuffer(argb, width, height)) {
        ADD_FAILURE() << "the frame cannot be read back";
        return box;
    }
    EXPECT_TRUE(gfx::SaveArgbToPng(png.c_str(), argb, width, height)) << png;
    constexpr uint32_t kStep = 4;
    for (uint32_t y = 0; y < height; y += kStep) {
        for (uint32_t x = 0; x < width; x += kStep) {
            if ((argb[size_t(y) * width + x] & 0xFFFFFF) == kBackground) continue;
            box.left = std::min(box.left, int(x)), box.right = std::max(box.right, int(x));
            box.top = std::min(box.top, int(y)), box.bottom = std::max(box.bottom, int(y));
        }
    }
    return box;
}

// One scene for the whole suite, as the program has one for its life.
class SceneResizeTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        window_ = std::make_unique<BareWindow>(kWidth, kHeight);
        if (!window_->ok()) return;
        ProvidePackage();
        noSceneYet_ = ResizeScene(800, 600);
        started_ = IniciarD3D(reinterpret_cast<void*>(window_->id()), nullptr, kWidth, kHeight,
                              0, kEnglish) == 0;
        SetaMusica(0);
        SetaAudio(0);
    }
    static void TearDownTestSuite() {
        if (started_) {
            FinalizaD3D();
            if (ResizeScene(800, 600) != -1) ADD_FAILURE() << "resized a finished scene";
        }
        window_.reset();
    }
    void SetUp() override {
        if (!window_->ok()) GTEST_SKIP() << "no X display";
        ASSERT_EQ(noSceneYet_, -1) << "resized before the scene started";
        ASSERT_TRUE(started_) << "see debug.log";
        ASSERT_EQ(Resize(kWidth, kHeight), 0);
    }

    // The window and the scene together, as the program resizes its panel.
    static int Resize(int width, int height) {
        window_->Resize(width, height);
        return ResizeScene(width, height);
    }

    static inline std::unique_ptr<BareWindow> window_;
    static inline int noSceneYet_ = 0;
    static inline bool started_ = false;
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

}  // namespace
