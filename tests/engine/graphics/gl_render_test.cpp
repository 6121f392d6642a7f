// The OpenGL backend drawing for real under Xvfb: a scene lit by the game's
// four lights and seen through the game's camera, read back, saved as PNG
// for people to look at, and checked pixel by pixel where the projection
// says the table must be.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/text_encoding.h"
#include "engine/graphics/vex_camera.h"
#include "engine/graphics/vex_light.h"
#include "engine/graphics/vex_texture_list.h"
#include "engine/graphics/vex_xmesh.h"
#include "engine/services/vex_package.h"
#include "game/table_geometry.h"
#include "platform/gfx/gfx_font.h"
#include "platform/gfx/gfx_formats.h"
#include "platform/gfx/gfx_image.h"
#include "platform/gfx/gfx_math.h"
#include "scene/scene_window.h"
#include "scene/scene_assets.h"
#include "scene/table_scene.h"
#include "tests/engine/graphics/graphics_fixture.h"
#include "tests/base/log_tail.h"

using namespace gfx;

namespace {

constexpr uint16_t kWidth = 570, kHeight = 400;
constexpr uint32_t kBackground = 0xFF808094;

struct Rgb {
    int r, g, b;
};

class GlRenderTest : public testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display (run under xvfb-run): nothing drawn, nothing checked";
        window_ = std::make_unique<SceneWindow>(kWidth, kHeight);
        if (!window_->ok())
            GTEST_SKIP() << "the X display does not open: nothing drawn, nothing checked";
        ResetEngineLists();
        LogTail log;
        ASSERT_TRUE(window_->StartDevice()) << log.Text();
        std::printf("%s", log.Text().c_str());
    }

    void TearDown() override {
        ResetEngineLists();
        window_.reset();  // the device goes with it
    }

    // A cleared frame in the 2D view with nothing in the way of flat
    // pictures: no lighting, no culling, no depth test.
    static bool BeginFlatFrame() {
        if (!Direct3D().BeginFrame()) return false;
        Direct3D().ClearTargets(kBackground, true, true, true);
        if (!Camera().Begin2D()) return false;
        Direct3D().SetLighting(false);
        Direct3D().SetCullMode(kCullNone);
        Direct3D().SetDepthTest(false);
        return true;
    }

    // Where a world point lands on the screen, in pixels.
    static void Project(const Vector3& point, int& x, int& y) {
        const Vector3 ndc =
            TransformCoord(point, Multiply(Camera().matrix(), Direct3D().projection()));
        x = int((ndc.x + 1) / 2 * kWidth);
        y = int((1 - ndc.y) / 2 * kHeight);
    }

    Rgb PixelAt(const Vector3& point) const {
        int x, y;
        Project(point, x, y);
        EXPECT_TRUE(x >= 0 && x < kWidth && y >= 0 && y < kHeight);
        x = std::clamp(x, 0, kWidth - 1), y = std::clamp(y, 0, kHeight - 1);
        const uint32_t argb = frame_[size_t(y) * width_ + size_t(x)];
        return {int(argb >> 16 & 255), int(argb >> 8 & 255), int(argb & 255)};
    }

    // Ends the scene, reads it back and saves it before presenting.
    void Capture(const char* png) {
        Direct3D().EndScene();
        ASSERT_TRUE(Direct3D().device()->ReadBackBuffer(frame_, width_, height_));
        ASSERT_EQ(width_, kWidth);
        ASSERT_EQ(height_, kHeight);
        ASSERT_TRUE(SaveArgbToPng(png, frame_, width_, height_));
        std::printf("saved %s\n", std::filesystem::absolute(png).c_str());
        Direct3D().PresentFrame();
    }

    std::unique_ptr<SceneWindow> window_;
    std::vector<uint32_t> frame_;
    uint32_t width_ = 0, height_ = 0;
};

// A 47-unit square table top at y = 0 with a 2 x 2 checker (green where u
// and v are both below or both above one half, blue elsewhere), and a
// red box standing on it.
const char* const kCheckerTableX = R"(xof 0303txt 0032
Mesh table {
 4; -23.5;0;-23.5;, 23.5;0;-23.5;, 23.5;0;23.5;, -23.5;0;23.5;;
 2; 3;0,3,2;, 3;0,2,1;;
 MeshNormals { 1; 0;1;0;; 2; 3;0,0,0;, 3;0,0,0;; }
 MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }
 MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 80; 0.15;0.15;0.15;; 0;0;0;; TextureFilename { "checker.tga"; } } }
}
)";

TEST_F(GlRenderTest, TheTableLiesWhereTheProjectionSaysLitAndTextured) {
    EXPECT_NE(Direct3D().depthFormat(), kFormatUnknown);
    WriteTextFile("checker_table.x", kCheckerTableX);
    const std::vector<uint8_t> checker{0, 200, 0,   255, 0, 0,   200, 255,
                                       0, 0,   200, 255, 0, 200, 0,   255};
    ASSERT_TRUE(WriteTga("checker.tga", 2, 2, checker));
    TextureList().SetMipLevels(1);
    TextureList().SetFormat(kFormatA1R5G5B5);
    VEX_XMesh table{Direct3D(), TextureList()}, box{Direct3D(), TextureList()};
    ASSERT_TRUE(table.LoadX("checker_table.x", true));
    ASSERT_TRUE(box.CreateBox(6, 6, 6, 0.8f, 0.1f, 0.1f, 0));
    AddSceneLights();

    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().ClearTargets(kBackground, true, true, true);
    TableScene::PlaceCamera();
    Direct3D().SetStageStateCounted(0, kTssAlphaOp, kTopModulate);
    Direct3D().ResetWorld();
    Direct3D().ApplyWorld();
    ASSERT_TRUE(table.DrawMesh(1.0f));
    Direct3D().SetWorldPosition(0, 3, 0);
    ASSERT_TRUE(box.DrawMesh(1.0f));
    Capture("gl_checker_table.png");

    // Outside the table: the clear colour, exactly.
    const Rgb outside = PixelAt({-30, 0, 30});
    EXPECT_EQ(outside.r, 0x80);
    EXPECT_EQ(outside.b, 0x94);
    // The four quarters show the checker in texture order (u with x, v
    // with z), lit. The eye is on +z, so +x shows on the left.
    const Rgb lowLow = PixelAt({-12, 0, -12}), highLow = PixelAt({12, 0, -12});
    const Rgb lowHigh = PixelAt({-12, 0, 12}), highHigh = PixelAt({12, 0, 12});
    EXPECT_GT(lowLow.g, 120) << lowLow.r << "," << lowLow.g << "," << lowLow.b;
    EXPECT_LT(lowLow.b, 60);
    EXPECT_GT(highLow.b, 120) << highLow.r << "," << highLow.g << "," << highLow.b;
    EXPECT_LT(highLow.g, 60);
    EXPECT_GT(lowHigh.b, 120);
    EXPECT_GT(highHigh.g, 120);
    int leftX, rightX, y;
    Project({12, 0, 0}, leftX, y);
    Project({-12, 0, 0}, rightX, y);
    EXPECT_LT(leftX, rightX);
    // Just inside and just outside a table corner.
    EXPECT_GT(PixelAt({-22.5f, 0, -22.5f}).g, 100);
    EXPECT_EQ(PixelAt({-24.5f, 0, -24.5f}).r, 0x80);
    // The box in front of the table's centre hides it and is lit red.
    const Rgb boxFront = PixelAt({0, 3, -3});
    EXPECT_GT(boxFront.r, 100);
    EXPECT_LT(boxFront.g, 80);
}

TEST_F(GlRenderTest, ViewportsAndTheTwoDViewCoverWhatTheyName) {
    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().ClearTargets(kBackground, true, true, true);
    // A 2D rectangle from (100, 50) to (200, 150) in virtual pixels.
    ASSERT_TRUE(Camera().Begin2D());
    Direct3D().SetLighting(false);
    Direct3D().SetCullMode(kCullNone);
    struct Vertex {
        float x, y, z;
        uint32_t color;
    };
    const Vertex quad[4] = {{100, 50, 0, 0xFFFF0000},
                            {200, 50, 0, 0xFFFF0000},
                            {200, 150, 0, 0xFFFF0000},
                            {100, 150, 0, 0xFFFF0000}};
    TextureList().Bind(0, 0);
    Direct3D().SetStageStateCounted(0, kTssColorOp, kTopSelectArg2);
    Direct3D().device()->DrawPrimitiveUP(kPtTriangleFan, 2, quad, kFvfXyz | kFvfDiffuse);
    // A viewport in the bottom-right corner cleared green.
    ASSERT_TRUE(Camera().SetViewRect(470, 300, 570, 400));
    Direct3D().ClearTargets(0xFF00FF00, true, false, false);
    Capture("gl_2d_view.png");
    Direct3D().SetStageStateCounted(0, kTssColorOp, kTopModulate);
    Direct3D().SetLighting(true);
    Direct3D().SetCullMode(kCullCCW);

    auto at = [&](int x, int y) { return frame_[size_t(y) * width_ + size_t(x)] & 0xFFFFFF; };
    EXPECT_EQ(at(100, 50), 0xFF0000u);   // first pixel inside
    EXPECT_EQ(at(199, 149), 0xFF0000u);  // last pixel inside
    EXPECT_EQ(at(99, 50), 0x808094u);
    EXPECT_EQ(at(200, 100), 0x808094u);
    EXPECT_EQ(at(100, 150), 0x808094u);
    EXPECT_EQ(at(470, 300), 0x00FF00u);
    EXPECT_EQ(at(469, 300), 0x808094u);
    EXPECT_EQ(at(569, 399), 0x00FF00u);
}

// A flat rectangle in 2D view units, in one colour.
void DrawRect(float x1, float y1, float x2, float y2, uint32_t argb) {
    struct Vertex {
        float x, y, z;
        uint32_t color;
    };
    const Vertex quad[4] = {
        {x1, y1, 0, argb}, {x2, y1, 0, argb}, {x2, y2, 0, argb}, {x1, y2, 0, argb}};
    Direct3D().device()->DrawPrimitiveUP(kPtTriangleFan, 2, quad, kFvfXyz | kFvfDiffuse);
}

// A pre-transformed vertex: x, y in pixels, depth, 1 / w, then its extras.
struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t color;
    float u, v;
};
constexpr uint32_t kScreenFvf = kFvfXyzRhw | kFvfDiffuse | kFvfTex1;

void DrawScreenRect(float x1, float y1, float x2, float y2, float z, uint32_t argb) {
    const ScreenVertex quad[4] = {{x1, y1, z, 1, argb, 0, 0},
                                  {x2, y1, z, 1, argb, 1, 0},
                                  {x2, y2, z, 1, argb, 1, 1},
                                  {x1, y2, z, 1, argb, 0, 1}};
    Direct3D().device()->DrawPrimitiveUP(kPtTriangleFan, 2, quad, kScreenFvf);
}

TEST_F(GlRenderTest, PretransformedVerticesLandOnThePixelsTheyName) {
    Device& device = *Direct3D().device();
    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().ClearTargets(kBackground, true, true, true);
    // Transforms and lighting that would move or blacken anything they touched.
    device.SetTransform(kTsWorld, Scaling(5, 5, 5));
    device.SetTransform(kTsView, Translation(100, 40, 3));
    device.SetTransform(kTsProjection, PerspectiveFovLH(1.0f, 1.4f, 1.0f, 10.0f));
    device.SetRenderState(kRsLighting, 1);
    device.SetRenderState(kRsCullMode, kCullNone);
    device.SetRenderState(kRsZEnable, kZbTrue);
    device.SetRenderState(kRsZFunc, kCmpLessEqual);
    device.SetTexture(0, nullptr);
    device.SetTextureStageState(0, kTssColorOp, kTopSelectArg2);
    device.SetTextureStageState(0, kTssAlphaOp, kTopSelectArg2);
    DrawScreenRect(10, 10, 20, 20, 0.5f, 0xFFFF0000);
    // Depth is taken as given: a nearer quad first, a farther one after
    // loses where they overlap.
    DrawScreenRect(30, 10, 50, 30, 0.2f, 0xFF0000FF);
    DrawScreenRect(40, 20, 60, 40, 0.6f, 0xFFFFFF00);

    // A 2 x 2 texture, point sampled, each texel over 20 x 20 pixels:
    // drawn half a pixel up and left, texel centres meet pixel centres.
    std::unique_ptr<Texture> texture;
    ASSERT_EQ(device.CreateTexture(2, 2, 1, kFormatA8R8G8B8, texture), Result::Ok);
    LockedRect locked;
    ASSERT_TRUE(texture->LockRect(0, locked, 0));
    const uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int row = 0; row < 2; ++row)
        std::memcpy(locked.bits + row * locked.pitch, texels + row * 2, 8);
    ASSERT_TRUE(texture->UnlockRect(0));
    device.SetTexture(0, texture.get());
    device.SetTextureStageState(0, kTssMagFilter, kTexfPoint);
    device.SetTextureStageState(0, kTssMinFilter, kTexfPoint);
    device.SetTextureStageState(0, kTssColorOp, kTopModulate);
    device.SetTextureStageState(0, kTssColorArg1, kTaTexture);
    device.SetTextureStageState(0, kTssColorArg2, kTaDiffuse);
    DrawScreenRect(99.5f, 19.5f, 139.5f, 59.5f, 0, 0xFFFFFF80);
    device.SetTexture(0, nullptr);
    device.SetTextureStageState(0, kTssColorOp, kTopSelectArg2);

    // A viewport clips them; their pixels stay those of the render target.
    device.SetViewport({200, 100, 100, 80, 0, 1});
    DrawScreenRect(150, 50, 400, 300, 0, 0xFF00FF00);
    device.SetViewport({0, 0, kWidth, kHeight, 0, 1});
    Capture("gl_pretransformed.png");

    auto at = [&](int x, int y) { return frame_[size_t(y) * width_ + size_t(x)] & 0xFFFFFF; };
    // Exactly pixels 10..19 both ways, in the vertex colour, unlit.
    EXPECT_EQ(at(10, 10), 0xFF0000u);
    EXPECT_EQ(at(19, 19), 0xFF0000u);
    EXPECT_EQ(at(9, 15), 0x808094u);
    EXPECT_EQ(at(20, 15), 0x808094u);
    EXPECT_EQ(at(15, 9), 0x808094u);
    EXPECT_EQ(at(15, 20), 0x808094u);
    EXPECT_EQ(at(45, 25), 0x0000FFu);  // the nearer one wins
    EXPECT_EQ(at(55, 35), 0xFFFF00u);
    // Each texel on its own 20 x 20 block, times the diffuse colour.
    EXPECT_EQ(at(100, 20), 0xFF0000u);
    EXPECT_EQ(at(119, 39), 0xFF0000u);
    EXPECT_EQ(at(120, 20), 0x00FF00u);
    EXPECT_EQ(at(100, 40), 0x000080u);
    EXPECT_EQ(at(139, 59), 0xFFFF80u);
    EXPECT_EQ(at(140, 30), 0x808094u);
    EXPECT_EQ(at(99, 30), 0x808094u);
    // The viewport's first and last pixels, and just outside them.
    EXPECT_EQ(at(200, 100), 0x00FF00u);
    EXPECT_EQ(at(299, 179), 0x00FF00u);
    EXPECT_EQ(at(199, 120), 0x808094u);
    EXPECT_EQ(at(300, 120), 0x808094u);
    EXPECT_EQ(at(250, 99), 0x808094u);
    EXPECT_EQ(at(250, 180), 0x808094u);
}

// Where a frame's dark pixels lie, within a band of rows.
struct Ink {
    int count = 0, left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};
Ink DarkPixels(const std::vector<uint32_t>& frame, uint32_t width, int fromRow, int toRow) {
    Ink ink;
    for (int y = fromRow; y < toRow; ++y) {
        for (int x = 0; x < int(width); ++x) {
            if ((frame[size_t(y) * width + size_t(x)] >> 8 & 255) >= 128) continue;
            ++ink.count;
            ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// The longest run of dark pixels along a row.
int LongestDarkRun(const std::vector<uint32_t>& frame, uint32_t width, int row) {
    int longest = 0, run = 0;
    for (int x = 0; x < int(width); ++x) {
        run = (frame[size_t(row) * width + size_t(x)] >> 8 & 255) < 128 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(GlRenderTest, TextLandsWhereItIsDrawnUnderlinedAndSizedAsAsked) {
    FontDescription description;
    description.height = 13;
    description.faceName = "Verdana";
    auto plain = Font::Create(*Direct3D().device(), description);
    description.underline = true;
    auto underlined = Font::Create(*Direct3D().device(), description);
    description.underline = false;
    description.height = 26;
    auto large = Font::Create(*Direct3D().device(), description);
    ASSERT_TRUE(plain && underlined && large);

    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().ClearTargets(0xFFFFFFFF, true, true, true);
    const std::string text = ToWindows1252("você ganhou! nível");
    plain->Begin();
    const int lineHeight = plain->DrawText(text.c_str(), -1, {20, 20, 0, 0}, 0, 0xFF000000);
    plain->End();
    underlined->DrawText(text.c_str(), -1, {20, 60, 0, 0}, 0, 0xFF000000);
    large->DrawText(text.c_str(), -1, {20, 100, 0, 0}, 0, 0xFF000000);
    Capture("gl_text.png");

    EXPECT_EQ(lineHeight, plain->atlas().lineHeight());
    // Ink inside the first line's box from its top-left corner, none
    // anywhere between the lines.
    const Ink first = DarkPixels(frame_, width_, 0, 60);
    EXPECT_GT(first.count, 150);
    EXPECT_GE(first.left, 20);
    EXPECT_LE(first.left, 22);
    EXPECT_GE(first.top, 20);
    EXPECT_LT(first.bottom, 20 + lineHeight);
    EXPECT_GT(first.right, 20 + 80);
    EXPECT_LT(first.right, 20 + 160);
    EXPECT_EQ(DarkPixels(frame_, width_, 20 + lineHeight, 60).count, 0);
    EXPECT_EQ(DarkPixels(frame_, width_, 0, 20).count, 0);

    // The underlined copy: the same letters plus one long line under them.
    const Ink second = DarkPixels(frame_, width_, 60, 100);
    EXPECT_GT(second.count, first.count + 60);
    int underlineRow = -1;
    for (int row = 60; row < 60 + lineHeight + 2; ++row)
        if (LongestDarkRun(frame_, width_, row) > (first.right - first.left) * 9 / 10)
            underlineRow = row;
    EXPECT_GT(underlineRow, 60 + plain->atlas().ascent - 1);
    for (int row = 20; row < 20 + lineHeight; ++row)
        EXPECT_LT(LongestDarkRun(frame_, width_, row), (first.right - first.left) / 2)
            << "row " << row;

    // Twice the height, about twice the width.
    const Ink third = DarkPixels(frame_, width_, 100, kHeight);
    EXPECT_GT(third.right - third.left, (first.right - first.left) * 17 / 10);
    EXPECT_LT(third.bottom, 100 + large->atlas().lineHeight());
    EXPECT_GT(third.bottom - third.top, (first.bottom - first.top) * 17 / 10);
}

TEST_F(GlRenderTest, StencilClipPlaneAndBlendingActAsDirect3DsDo) {
    ASSERT_TRUE(Direct3D().capabilities().stencil);
    ASSERT_TRUE(BeginFlatFrame());
    TextureList().Bind(0, 0);
    Direct3D().SetStageStateCounted(0, kTssColorOp, kTopSelectArg2);
    Direct3D().SetStageStateCounted(0, kTssAlphaOp, kTopSelectArg2);

    // Mark a stencil window without touching the colours...
    Direct3D().SetRenderStateCounted(kRsStencilEnable, 1);
    Direct3D().SetRenderStateCounted(kRsStencilFunc, kCmpAlways);
    Direct3D().SetRenderStateCounted(kRsStencilRef, 1);
    Direct3D().SetRenderStateCounted(kRsStencilPass, kStencilReplace);
    Direct3D().SetRenderStateCounted(kRsColorWriteEnable, 0);
    DrawRect(50, 50, 150, 150, 0xFFFFFFFF);
    Direct3D().SetRenderStateCounted(kRsColorWriteEnable, 0xF);
    // ...then paint the left half of the screen only where it is marked.
    Direct3D().SetRenderStateCounted(kRsStencilFunc, kCmpEqual);
    Direct3D().SetRenderStateCounted(kRsStencilPass, kStencilKeep);
    DrawRect(0, 0, 285, 400, 0xFF0000FF);
    Direct3D().SetRenderStateCounted(kRsStencilEnable, 0);

    // A user clip plane keeps x >= 400 (world space) of a band.
    const float plane[4] = {1, 0, 0, -400};
    Direct3D().device()->SetClipPlane(0, plane);
    Direct3D().SetRenderStateCounted(kRsClipPlaneEnable, 1);
    DrawRect(300, 200, 570, 260, 0xFFFF0000);
    Direct3D().SetRenderStateCounted(kRsClipPlaneEnable, 0);

    // Half-transparent white over the background blends by source alpha.
    DrawRect(300, 300, 400, 350, 0x80FFFFFF);
    Capture("gl_stencil_clip_blend.png");
    Direct3D().SetStageStateCounted(0, kTssColorOp, kTopModulate);
    Direct3D().SetStageStateCounted(0, kTssAlphaOp, kTopSelectArg1);
    Direct3D().SetLighting(true);
    Direct3D().SetCullMode(kCullCCW);
    Direct3D().SetDepthTest(true);

    auto at = [&](int x, int y) { return frame_[size_t(y) * width_ + size_t(x)] & 0xFFFFFF; };
    EXPECT_EQ(at(100, 100), 0x0000FFu);  // marked and painted
    EXPECT_EQ(at(200, 100), 0x808094u);  // painted area, but not marked
    EXPECT_EQ(at(40, 40), 0x808094u);
    EXPECT_EQ(at(350, 230), 0x808094u);  // clipped away
    EXPECT_EQ(at(450, 230), 0xFF0000u);
    const uint32_t blended = at(350, 320);
    EXPECT_NEAR(int(blended >> 16), (0x80 + 0xFF) / 2, 2);
    EXPECT_NEAR(int(blended & 0xFF), (0x94 + 0xFF) / 2, 2);
}

TEST_F(GlRenderTest, EveryTextureFormatTheListWritesReachesTheScreenInItsColours) {
    // Yellow on the left, blue on the right, both opaque; then a third
    // column of transparent texels below, which alpha formats must let the
    // background through.
    const std::vector<uint8_t> picture{255, 255, 0, 255, 0, 0, 255, 255, 255, 0, 0, 0,
                                       255, 255, 0, 255, 0, 0, 255, 255, 255, 0, 0, 0};
    ASSERT_TRUE(WriteTga("formats.tga", 3, 2, picture));
    const Format formats[] = {kFormatR3G3B2,   kFormatA8R3G3B2, kFormatA4R4G4B4,
                              kFormatX4R4G4B4, kFormatA1R5G5B5, kFormatX1R5G5B5,
                              kFormatR5G6B5,   kFormatA8R8G8B8, kFormatX8R8G8B8};
    ASSERT_TRUE(BeginFlatFrame());
    Direct3D().SetPointFilter(0);
    Direct3D().SetStageStateCounted(0, kTssColorOp, kTopSelectArg1);
    Direct3D().SetStageStateCounted(0, kTssAlphaOp, kTopSelectArg1);
    struct Vertex {
        float x, y, z, u, v;
    };
    TextureList().SetMipLevels(1);
    float left = 10;
    for (Format format : formats) {
        TextureList().SetFormat(format);
        const std::string name = std::string("formats_") + FormatName(format) + ".tga";
        std::filesystem::copy_file("formats.tga", name,
                                   std::filesystem::copy_options::overwrite_existing);
        const int16_t index = TextureList().Load(name.c_str());
        ASSERT_GT(index, 0) << FormatName(format);
        TextureList().Bind(0, index);
        const Vertex quad[4] = {{left, 10, 0, 0, 0},
                                {left + 60, 10, 0, 1, 0},
                                {left + 60, 50, 0, 1, 1},
                                {left, 50, 0, 0, 1}};
        Direct3D().device()->DrawPrimitiveUP(kPtTriangleFan, 2, quad, kFvfXyz | kFvfTex1);
        left += 62;
    }
    Capture("gl_texture_formats.png");
    Direct3D().SetStageFilter(kTexfLinear, 0);
    Direct3D().SetStageStateCounted(0, kTssColorOp, kTopModulate);
    Direct3D().SetLighting(true);
    Direct3D().SetCullMode(kCullCCW);
    Direct3D().SetDepthTest(true);

    left = 10;
    for (Format format : formats) {
        SCOPED_TRACE(FormatName(format));
        auto at = [&](float x) {
            return frame_[size_t(30) * width_ + size_t(left + x)] & 0xFFFFFF;
        };
        EXPECT_EQ(at(10), 0xFFFF00u);
        EXPECT_EQ(at(30), 0x0000FFu);
        const bool hasAlpha = format == kFormatA8R3G3B2 || format == kFormatA4R4G4B4 ||
                              format == kFormatA1R5G5B5 || format == kFormatA8R8G8B8;
        EXPECT_EQ(at(50), hasAlpha ? 0x808094u : 0xFF0000u);
        left += 62;
    }
}

double Luminance(Rgb c) {
    return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
}

TEST_F(GlRenderTest, TheGamesTableDiscsAndCueFromThePackage) {
    if (!std::filesystem::exists(RINGDISK_PACKAGE))
        GTEST_SKIP() << RINGDISK_PACKAGE << " was not built: the real table is not checked";
    TableScene scene;
    LogTail log;
    ASSERT_TRUE(scene.Load(RINGDISK_PACKAGE)) << log.Text();
    EXPECT_TRUE(log.HasLine("Arquivo <mesa.x> carregado com sucesso."));

    // First without lights, then lit: the light must show.
    const SceneLayout grid = DiscGrid(21);
    for (int16_t i = 0; i < 4; ++i) Lights().EnableLight(i, false);
    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().ClearTargets(kBackground, true, true, true);
    scene.Draw(grid, false);
    Capture("gl_table_unlit.png");
    const Rgb unlit = PixelAt({8, table::kSurfaceY, 4});
    for (int16_t i = 0; i < 4; ++i) Lights().EnableLight(i, true);

    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().ClearTargets(kBackground, true, true, true);
    scene.Draw(grid, false);
    Capture("gl_table.png");

    // Beside the table, on the side the camera cannot see: background.
    for (const Vector3& beside :
         {Vector3{37.5f, 2.6f, 0}, Vector3{-37.5f, 2.6f, 0}, Vector3{0, 2.6f, -38}}) {
        const Rgb c = PixelAt(beside);
        EXPECT_EQ(c.r, 0x80) << beside.x << "," << beside.z;
        EXPECT_EQ(c.b, 0x94) << beside.x << "," << beside.z;
    }
    // Just inside the cushions, in all four corners beyond the holes: table.
    for (float x : {-33.0f, 33.0f}) {
        for (float z : {-33.0f, 33.0f}) {
            const Rgb c = PixelAt({x, table::kSurfaceY, z});
            EXPECT_FALSE(c.r == 0x80 && c.g == 0x80 && c.b == 0x94) << x << "," << z;
        }
    }
    const Rgb lit = PixelAt({8, table::kSurfaceY, 4});
    EXPECT_GT(Luminance(lit), Luminance(unlit) + 40)
        << "lit " << lit.r << "," << lit.g << "," << lit.b;

    // Textured: where the surface texture turns red (the shooting strips
    // in front of both seats) the picture does, and where it is plain wood
    // the picture is too.
    const int16_t surface = scene.table().texture(0);
    ASSERT_GT(surface, 0);
    auto texelRedness = [&](float x, float z) {
        uint8_t r, g, b, a;
        const float u = table::SurfaceU(x), v = table::SurfaceV(z);
        TextureList().GetTexel(int16_t(u * TextureList().WidthOf(surface)),
                               int16_t(v * TextureList().HeightOf(surface)), r, g, b, a, surface);
        return int(r) - int(g);
    };
    auto pixelRedness = [&](float x, float z) {
        const Rgb c = PixelAt({x, table::kSurfaceY, z});
        return c.r - c.g;
    };
    for (float side : {-1.0f, 1.0f}) {
        const float strip = side * table::kShootingLineZ, wood = side * 11.0f;
        EXPECT_GT(texelRedness(4, strip), texelRedness(4, wood) + 20) << side;
        EXPECT_GT(pixelRedness(4, strip), pixelRedness(4, wood) + 20) << side;
    }

    // The yellow striker (disc 0) and a red disc show their materials.
    const Rgb yellow = PixelAt({grid.discs[0].x, table::kSurfaceY + 0.9f, grid.discs[0].z});
    EXPECT_GT(yellow.r, 100);
    EXPECT_GT(yellow.g, 100);
    EXPECT_LT(yellow.b, yellow.r - 50);
    ASSERT_EQ(grid.discs[1].color, kColorRed);
    const Rgb red = PixelAt({grid.discs[1].x, table::kSurfaceY + 0.9f, grid.discs[1].z});
    EXPECT_GT(red.r, red.g + 50) << red.r << "," << red.g << "," << red.b;
}

}  // namespace
