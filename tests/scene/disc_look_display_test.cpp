// The colour-blind-safe disc look drawn for real through the library's
// exports on a virtual display: the sides and the striker stay far apart
// in every common colour vision, measured on the frame's pixels, the red
// side's discs carry their dot and the blue ones none, the HUD's own-turn
// text turns blue with green's side, the classic look comes back pixel
// for pixel, and a scene finished and started again draws both looks as
// the first did. The frames are left as PNG files in the run folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/modules/engine_modules.h"
#include "game/game_state.h"
#include "platform/gfx/gfx_image.h"
#include "platform/window/bare_window.h"
#include "tests/scene/colour_vision.h"
#include "tests/scene/windowed_scene.h"
#include "vexlib/exports.h"

namespace {

constexpr int kWidth = 570, kHeight = 400;
constexpr int kSeed = 4242;
constexpr int kClassic = 0, kColourSafe = 1;
// Where the striker is put for the picture: on the near shooting line,
// clear of the playing discs.
constexpr float kStrikerX = 8.0f, kStrikerZ = 21.5f;

struct Frame {
    std::vector<uint32_t> argb;
    uint32_t width = 0, height = 0;

    uint32_t At(int x, int y) const {
        x = std::clamp(x, 0, int(width) - 1), y = std::clamp(y, 0, int(height) - 1);
        return argb[size_t(y) * width + size_t(x)];
    }
};

// A match as green with the striker standing on the near line, drawn once.
Frame DrawMatch() {
    IniciaPartida(1, kSeed);
    Disc& striker = Game().discs[kStriker];
    striker.x = kStrikerX, striker.z = kStrikerZ;
    striker.color = kColorYellow, striker.status = kStatusOnTable;
    RenderCena();
    Frame frame;
    if (!Direct3D().device()->ReadBackBuffer(frame.argb, frame.width, frame.height))
        ADD_FAILURE() << "the frame cannot be read back";
    return frame;
}

// Which side a pixel of the classic frame shows: its discs are pure green
// and pure red, the striker yellow, nothing else on the table comes close.
enum class Owner { kOther, kGreensSide, kRedsSide, kStriker };
Owner ClassicOwner(uint32_t argb) {
    const int r = argb >> 16 & 0xFF, g = argb >> 8 & 0xFF, b = argb & 0xFF;
    if (g > 2 * r && g > 2 * b && g > 60) return Owner::kGreensSide;
    if (r > 2 * g && r > 2 * b && r > 60) return Owner::kRedsSide;
    if (std::abs(r - g) < 30 && b * 2 < r && r > 120) return Owner::kStriker;
    return Owner::kOther;
}

// The light, grey pixels of the dot.
bool Marked(uint32_t argb) {
    const int r = argb >> 16 & 0xFF, g = argb >> 8 & 0xFF, b = argb & 0xFF;
    return std::min({r, g, b}) > 160 && std::max({r, g, b}) - std::min({r, g, b}) < 40;
}

// What the look shows where the classic frame showed one owner: the
// per-channel median of those pixels, and how many of them carry the mark.
// A side's pixels that the look left as they were are the wooden frame,
// as red as a red disc but changed by no look; they count only when asked.
struct OwnerPixels {
    Rgb median;
    int count = 0, marked = 0;
};
enum class Unchanged { kLeftOut, kCounted };
OwnerPixels PixelsOf(const Frame& classic, const Frame& look, Owner owner,
                     Unchanged unchanged = Unchanged::kLeftOut) {
    std::vector<double> r, g, b;
    OwnerPixels result;
    const bool side = owner == Owner::kGreensSide || owner == Owner::kRedsSide;
    const bool leaveOut = side && unchanged == Unchanged::kLeftOut && &look != &classic;
    for (size_t i = 0; i < classic.argb.size(); ++i) {
        if (ClassicOwner(classic.argb[i]) != owner) continue;
        if (leaveOut && look.argb[i] == classic.argb[i]) continue;
        const Rgb c = FromArgb(look.argb[i]);
        r.push_back(c.r), g.push_back(c.g), b.push_back(c.b);
        result.marked += Marked(look.argb[i]);
    }
    result.count = int(r.size());
    if (r.empty()) return result;
    const auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    result.median = {median(r), median(g), median(b)};
    return result;
}

Frame Simulated(const Frame& frame, Vision vision) {
    Frame seen = frame;
    for (uint32_t& pixel : seen.argb) pixel = ToArgb(Simulate(FromArgb(pixel), vision));
    return seen;
}

class DiscLookDisplayTest : public WindowedSceneSuite {
protected:
    static void SetUpTestSuite() {
        if (!OpenWindow(kWidth, kHeight)) return;
        OpenScene();
        Silence();
    }
    static void TearDownTestSuite() {
        if (started_) FinalizaD3D();
        window_.reset();
    }
    void TearDown() override { SetDiscLook(kClassic); }
};

TEST_F(DiscLookDisplayTest, TheSidesAndTheStrikerStayApartInEveryColourVision) {
    SetDiscLook(kClassic);
    const Frame classic = DrawMatch();
    SetDiscLook(kColourSafe);
    const Frame safe = DrawMatch();
    ASSERT_TRUE(gfx::SaveArgbToPng("disc_look_normal.png", safe.argb, safe.width, safe.height));

    const OwnerPixels blue = PixelsOf(classic, safe, Owner::kGreensSide);
    const OwnerPixels red = PixelsOf(classic, safe, Owner::kRedsSide);
    const OwnerPixels striker = PixelsOf(classic, safe, Owner::kStriker);
    // Ten discs a side and the striker, twice (on the line and at the aim).
    ASSERT_GT(blue.count, 1000);
    ASSERT_GT(red.count, 1000);
    ASSERT_GT(striker.count, 300);

    std::printf("%-13s %10s %14s %13s\n", "vision", "blue-red", "blue-striker", "red-striker");
    for (Vision vision : kAllVisions) {
        const Frame seen = Simulated(safe, vision);
        const std::string png = std::string("disc_look_") + VisionName(vision) + ".png";
        if (vision != Vision::kNormal) {
            EXPECT_TRUE(gfx::SaveArgbToPng(png.c_str(), seen.argb, seen.width, seen.height));
        }
        const double sides = DeltaE(blue.median, red.median, vision);
        const double blueStriker = DeltaE(blue.median, striker.median, vision);
        const double redStriker = DeltaE(red.median, striker.median, vision);
        std::printf("%-13s %10.1f %14.1f %13.1f\n", VisionName(vision), sides, blueStriker,
                    redStriker);
        EXPECT_GE(sides, 40) << VisionName(vision);
        EXPECT_GE(blueStriker, 40) << VisionName(vision);
        EXPECT_GE(redStriker, 40) << VisionName(vision);
    }
}

TEST_F(DiscLookDisplayTest, TheRedSidesDiscsCarryADotAndTheBlueOnesNone) {
    SetDiscLook(kClassic);
    const Frame classic = DrawMatch();
    SetDiscLook(kColourSafe);
    const Frame safe = DrawMatch();
    // Ten discs of each side on the table at 570 x 400: every red one
    // shows a dot of a few dozen pixels.
    EXPECT_GE(PixelsOf(classic, safe, Owner::kRedsSide).marked, 10 * 20);
    EXPECT_EQ(PixelsOf(classic, safe, Owner::kGreensSide).marked, 0);
}

// "your turn" at the lower left, in the colour of the side to move.
int PixelsOfTurnText(const Frame& frame, uint32_t rgb) {
    int n = 0;
    for (uint32_t y = frame.height - 40; y < frame.height; ++y)
        for (uint32_t x = 0; x < 160; ++x) n += (frame.At(int(x), int(y)) & 0xFFFFFF) == rgb;
    return n;
}

TEST_F(DiscLookDisplayTest, TheOwnTurnTextTakesTheSidesColour) {
    constexpr uint32_t kClassicGreen = 0x00FF00, kSafeBlue = 0x4A8CFF;
    SetDiscLook(kClassic);
    const Frame classic = DrawMatch();
    SetDiscLook(kColourSafe);
    const Frame safe = DrawMatch();
    EXPECT_GT(PixelsOfTurnText(classic, kClassicGreen), 50);
    EXPECT_EQ(PixelsOfTurnText(classic, kSafeBlue), 0);
    EXPECT_GT(PixelsOfTurnText(safe, kSafeBlue), 50);
    EXPECT_EQ(PixelsOfTurnText(safe, kClassicGreen), 0);
}

// The frame without the lower right corner, where the banner behind the
// shot clock pulses with the time between frames.
std::vector<uint32_t> WithoutClockBanner(const Frame& frame) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < int(frame.height); ++y)
        for (int x = 0; x < int(frame.width); ++x)
            if (x < int(frame.width) - 100 || y < int(frame.height) - 70)
                pixels.push_back(frame.At(x, y));
    return pixels;
}

TEST_F(DiscLookDisplayTest, TheClassicLookComesBackPixelForPixel) {
    SetDiscLook(kClassic);
    const std::vector<uint32_t> before = WithoutClockBanner(DrawMatch());
    SetDiscLook(kColourSafe);
    ASSERT_NE(WithoutClockBanner(DrawMatch()), before);
    SetDiscLook(kClassic);
    EXPECT_EQ(WithoutClockBanner(DrawMatch()), before);
    // A look the library does not know is the classic one.
    SetDiscLook(kColourSafe);
    SetDiscLook(7);
    EXPECT_EQ(WithoutClockBanner(DrawMatch()), before);
}

// How many pixels two pictures of the same size differ in.
size_t DifferentPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

void PrintMedian(const char* what, const OwnerPixels& pixels) {
    std::printf("%-28s (%3.0f, %3.0f, %3.0f) over %d pixels\n", what, pixels.median.r,
                pixels.median.g, pixels.median.b, pixels.count);
}

// A program may finish the scene and start it again in the same process;
// the second scene has nothing of the first to draw with, so what it shows
// of the same match must be what the first showed.
// The first frame of any scene differs from the frames after it in a pixel
// or two of the table (it is the first to read the input), so every frame
// compared follows one drawn before it in the same scene.
TEST_F(DiscLookDisplayTest, ASecondSceneDrawsTheMatchAsTheFirstDid) {
    SetDiscLook(kClassic);
    DrawMatch();
    const Frame classic = DrawMatch();
    SetDiscLook(kColourSafe);
    const Frame safe = DrawMatch();

    // The highlights switched off in the first scene are on again in the
    // second, as in every new scene; the frames below show them.
    SetaLuz(0);
    ASSERT_EQ(Game().options.specular, 0);
    FinalizaD3D();
    OpenScene();
    ASSERT_TRUE(started_) << "the scene did not start again; see debug.log";
    EXPECT_EQ(Game().options.specular, 1);
    // The look is kept across scenes.
    DrawMatch();
    const Frame safeAgain = DrawMatch();
    SetDiscLook(kClassic);
    const Frame classicAgain = DrawMatch();
    ASSERT_TRUE(gfx::SaveArgbToPng("second_scene_classic.png", classicAgain.argb,
                                   classicAgain.width, classicAgain.height));
    ASSERT_TRUE(gfx::SaveArgbToPng("second_scene_safe.png", safeAgain.argb, safeAgain.width,
                                   safeAgain.height));

    for (Owner owner : {Owner::kGreensSide, Owner::kStriker}) {
        const char* name = owner == Owner::kStriker ? "striker" : "green side";
        PrintMedian((std::string(name) + ", first scene").c_str(),
                    PixelsOf(classic, classic, owner));
        PrintMedian((std::string(name) + ", second scene").c_str(),
                    PixelsOf(classic, classicAgain, owner, Unchanged::kCounted));
    }
    PrintMedian("blue side, first scene", PixelsOf(classic, safe, Owner::kGreensSide));
    PrintMedian("blue side, second scene", PixelsOf(classic, safeAgain, Owner::kGreensSide));

    EXPECT_EQ(DifferentPixels(WithoutClockBanner(classicAgain), WithoutClockBanner(classic)), 0u)
        << "the classic look";
    EXPECT_EQ(DifferentPixels(WithoutClockBanner(safeAgain), WithoutClockBanner(safe)), 0u)
        << "the colour-blind look";
}

}  // namespace
