// Characters and sprites cut down to the part of their picture that can
// show, on the recording backend: each cut quad reaches exactly as far as
// filtering reaches from its outermost visible texels, shows every texture
// point at the same place as the whole quad, and stays whole wherever a
// fully transparent texel could still leave a trace.
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "engine/graphics/vex_font.h"
#include "engine/graphics/vex_sprite.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

using Texels = std::vector<std::pair<int, int>>;

class QuadTrimmingTest : public RecordingTest {
protected:
    // The 2D layer's states: no depth, one stage whose alpha is the
    // texture's times the colour's, blended by that alpha.
    void SetUp() override {
        RecordingTest::SetUp();
        d3d.SetDepthTest(false);
        d3d.SetStageStateCounted(0, kTssAlphaOp, kTopModulate);
        d3d.SetStageStateCounted(0, kTssAlphaArg1, kTaTexture);
        d3d.SetStageStateCounted(0, kTssAlphaArg2, kTaDiffuse);
        d3d.SetStageStateCounted(1, kTssColorOp, kTopDisable);
        TextureList().SetMipLevels(1);
        // The modules outlive each test with what the last one set.
        Fonts().SetFontColor(0xFFFFFFFF);
        Fonts().SetTextAlign(VEX_Font::kLeftOrTop, VEX_Font::kLeftOrTop);
        Sprites().SetSpriteColor(0xFFFFFFFF);
        Sprites().SetSpriteRotation(0);
    }

    // A clear picture with these texels opaque.
    static int16_t Picture(const char* name, int16_t width, int16_t height, const Texels& opaque) {
        const int16_t texture = TextureList().Create(name, width, height);
        for (auto [x, y] : opaque)
            TextureList().PutTexel(int16_t(x), int16_t(y), 255, 255, 255, 255, texture);
        return texture;
    }

    // A 256 x 256 font (16 x 16 texel cells) drawn at 32 x 32.
    int16_t AddFont(const Texels& opaque) {
        const int16_t index =
            Fonts().AddFont(nullptr, Picture("font", 256, 256, opaque), nullptr, 0);
        Fonts().SetFontSize(index, 32, 32);
        return index;
    }
    std::vector<RecordedQuad> Print(int16_t index, const char* text, uint32_t* count = nullptr) {
        const size_t before = device().draws().size();
        EXPECT_TRUE(Fonts().BeginText(index));
        Fonts().PrintText(100, 50, "%s", text);
        const uint32_t drawn = Fonts().EndText();
        if (count) *count = drawn;
        return QuadsOf({device().draws().begin() + long(before), device().draws().end()});
    }
    std::vector<RecordedQuad> Sprite(int16_t sprite, uint16_t frame, uint8_t mirror) {
        const size_t before = device().draws().size();
        EXPECT_TRUE(Sprites().BeginSprites());
        Sprites().DrawSprite(sprite, 200, 150, frame, mirror);
        Sprites().EndSprites();
        return QuadsOf({device().draws().begin() + long(before), device().draws().end()});
    }
    // The same drawing with blending off, where every quad stays whole.
    template <typename Draw>
    auto Whole(Draw draw) {
        d3d.SetRenderStateCounted(kRsAlphaBlendEnable, 0);
        auto quads = draw();
        d3d.SetRenderStateCounted(kRsAlphaBlendEnable, 1);
        return quads;
    }

    VEX_Direct3D& d3d = Direct3D();
};

// The texture point the whole quad shows at (x, y): its corners' texture
// coordinates carried along its two sides from the top-left corner.
std::pair<float, float> TexturePointOf(const RecordedQuad& whole, float x, float y) {
    const RecordedVertex &o = whole.corners[0], &a = whole.corners[1], &b = whole.corners[2];
    const float ex = a.x - o.x, ey = a.y - o.y, fx = b.x - o.x, fy = b.y - o.y;
    const float det = ex * fy - ey * fx;
    const float s = ((x - o.x) * fy - (y - o.y) * fx) / det;
    const float t = (ex * (y - o.y) - ey * (x - o.x)) / det;
    return {o.u + s * (a.u - o.u) + t * (b.u - o.u), o.v + s * (a.v - o.v) + t * (b.v - o.v)};
}

void ExpectSameTexturePoints(const RecordedQuad& cut, const RecordedQuad& whole) {
    for (const RecordedVertex& corner : cut.corners) {
        const auto [u, v] = TexturePointOf(whole, corner.x, corner.y);
        EXPECT_NEAR(corner.u, u, 1e-6);
        EXPECT_NEAR(corner.v, v, 1e-6);
    }
}

// The texture rectangle a quad shows, in texels of a texture of this size.
struct TexelRect {
    float left, top, right, bottom;
};
TexelRect TexelsShown(const RecordedQuad& quad, float width, float height) {
    TexelRect r{1e9f, 1e9f, -1e9f, -1e9f};
    for (const RecordedVertex& c : quad.corners) {
        r.left = std::min(r.left, c.u * width), r.right = std::max(r.right, c.u * width);
        r.top = std::min(r.top, c.v * height), r.bottom = std::max(r.bottom, c.v * height);
    }
    return r;
}
void ExpectTexels(const TexelRect& shown, float left, float top, float right, float bottom) {
    EXPECT_NEAR(shown.left, left, 1e-3);
    EXPECT_NEAR(shown.top, top, 1e-3);
    EXPECT_NEAR(shown.right, right, 1e-3);
    EXPECT_NEAR(shown.bottom, bottom, 1e-3);
}

// 'A' (65) is the cell at column 1, row 4: texels (16, 64) to (32, 80).
constexpr float kCellLeft = 16, kCellTop = 64;

TEST_F(QuadTrimmingTest, ACharacterCoversItsVisibleTexelsOneTexelWideAndKeepsThemInPlace) {
    // Texels 5..8 across and 3..10 down in the cell: centres 5.5..8.5 and
    // 3.5..10.5, and bilinear filtering reaches one texel beyond them.
    const int16_t font = AddFont({{21, 67}, {24, 74}});
    uint32_t count = 0;
    const auto cut = Print(font, "AB", &count);
    EXPECT_EQ(count, 2u);  // 'B' is clear: counted, not drawn
    ASSERT_EQ(cut.size(), 1u);
    ExpectTexels(TexelsShown(cut[0], 256, 256), kCellLeft + 4.5f, kCellTop + 2.5f, kCellLeft + 9.5f,
                 kCellTop + 11.5f);
    // Drawn twice the texture's size, from the pen at (100, 50).
    EXPECT_FLOAT_EQ(cut[0].corners[0].x, 109);
    EXPECT_FLOAT_EQ(cut[0].corners[0].y, 55);
    EXPECT_FLOAT_EQ(cut[0].corners[3].x, 119);
    EXPECT_FLOAT_EQ(cut[0].corners[3].y, 73);
    const auto whole = Whole([&] { return Print(font, "A"); });
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_FLOAT_EQ(whole[0].corners[3].x, 132);
    ExpectSameTexturePoints(cut[0], whole[0]);
}

TEST_F(QuadTrimmingTest, TexelsAcrossTheCellsEdgeCountAsFarAsFilteringReaches) {
    // A texel of the cell to the left, touching the edge: filtering reads
    // it from the first half texel of 'A'.
    const auto touching = Print(AddFont({{15, 70}}), "A");
    ASSERT_EQ(touching.size(), 1u);
    ExpectTexels(TexelsShown(touching[0], 256, 256), kCellLeft, kCellTop + 5.5f, kCellLeft + 0.5f,
                 kCellTop + 7.5f);
    Fonts().ReleaseFonts();
    TextureList().Remove(TextureList().FindIndex("font"));
    // Two texels from the edge, it is out of reach: 'A' draws nothing. The
    // texture wraps round: 'P' (80, cell (0, 80)), at its left edge, reads
    // the texel at its right edge.
    const auto wrapped = Print(AddFont({{14, 70}, {255, 85}}), "AP");
    ASSERT_EQ(wrapped.size(), 1u);
    ExpectTexels(TexelsShown(wrapped[0], 256, 256), 0, 84.5f, 0.5f, 86.5f);
}

TEST_F(QuadTrimmingTest, WhereATransparentTexelCouldLeaveATraceTheQuadStaysWhole) {
    const int16_t font = AddFont({{21, 67}});
    struct Case {
        const char* why;
        std::function<void()> set, undo;
        bool cut;
    };
    const Case cases[] = {
        {"depth written", [&] { d3d.SetDepthTest(true); }, [&] { d3d.SetDepthTest(false); }, false},
        {"stencil", [&] { d3d.SetRenderStateCounted(kRsStencilEnable, 1); },
         [&] { d3d.SetRenderStateCounted(kRsStencilEnable, 0); }, false},
        {"added, not blended", [&] { d3d.SetRenderStateCounted(kRsDestBlend, kBlendOne); },
         [&] { d3d.SetRenderStateCounted(kRsDestBlend, kBlendInvSrcAlpha); }, false},
        {"alpha from the colour alone",
         [&] { d3d.SetStageStateCounted(0, kTssAlphaOp, kTopSelectArg2); },
         [&] { d3d.SetStageStateCounted(0, kTssAlphaOp, kTopModulate); }, false},
        {"a second stage replacing alpha",
         [&] {
             d3d.SetStageStateCounted(1, kTssColorOp, kTopModulate);
             d3d.SetStageStateCounted(1, kTssAlphaOp, kTopSelectArg1);
             d3d.SetStageStateCounted(1, kTssAlphaArg1, kTaTFactor);
         },
         [&] { d3d.SetStageStateCounted(1, kTssColorOp, kTopDisable); }, false},
        {"a second stage passing alpha on",
         [&] {
             d3d.SetStageStateCounted(1, kTssColorOp, kTopModulate);
             d3d.SetStageStateCounted(1, kTssAlphaOp, kTopModulate);
             d3d.SetStageStateCounted(1, kTssAlphaArg2, kTaCurrent);
         },
         [&] { d3d.SetStageStateCounted(1, kTssColorOp, kTopDisable); }, true},
        {"unblended, but alpha 0 fails the test",
         [&] {
             d3d.SetRenderStateCounted(kRsAlphaBlendEnable, 0);
             d3d.SetRenderStateCounted(kRsAlphaTestEnable, 1);
             d3d.SetRenderStateCounted(kRsAlphaFunc, kCmpGreaterEqual);
             d3d.SetRenderStateCounted(kRsAlphaRef, 8);
         },
         [&] {
             d3d.SetRenderStateCounted(kRsAlphaBlendEnable, 1);
             d3d.SetRenderStateCounted(kRsAlphaTestEnable, 0);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        c.set();
        const auto quads = Print(font, "A");
        c.undo();
        ASSERT_EQ(quads.size(), 1u);
        const float width = quads[0].corners[3].x - quads[0].corners[0].x;
        EXPECT_FLOAT_EQ(width, c.cut ? 4 : 32);
    }
}

TEST_F(QuadTrimmingTest, AColourOfAlpha0DrawsNothingOnlyWhereItsAlphaCounts) {
    const int16_t font = AddFont({{21, 67}});
    Fonts().SetFontColor(0x00FFFFFF);
    uint32_t count = 0;
    EXPECT_TRUE(Print(font, "AA", &count).empty());
    EXPECT_EQ(count, 2u);
    // Alpha from the texture alone: the colour's alpha does not matter.
    d3d.SetStageStateCounted(0, kTssAlphaOp, kTopSelectArg1);
    EXPECT_EQ(Print(font, "AA").size(), 2u);
}

// A 64 x 32 picture of two frames side by side; frame 1 has texels 4..9
// across and 10..12 down visible, so it shows texels 35.5..42.5 across and
// 9.5..13.5 down.
class SpriteTrimmingTest : public QuadTrimmingTest {
protected:
    void SetUp() override {
        QuadTrimmingTest::SetUp();
        sprite =
            Sprites().AddSprite(nullptr, Picture("two", 64, 32, {{36, 10}, {41, 12}}), 2, 1, false);
        ASSERT_GE(sprite, 0);
        Sprites().SetSpritePivot(sprite, 0.5f, 0.5f, true);
        Sprites().SetSpriteScale(sprite, 1.5f, 1.5f);
    }
    int16_t sprite = -1;
};

TEST_F(SpriteTrimmingTest, MirroredAndTurnedFramesShowEachTexelWhereTheWholeQuadDoes) {
    for (const float angle : {0.0f, 0.7f}) {
        Sprites().SetSpriteRotation(angle);
        for (uint8_t mirror = 0; mirror <= VEX_Sprite::kBoth; ++mirror) {
            SCOPED_TRACE(testing::Message() << "angle " << angle << ", mirror " << int(mirror));
            const auto cut = Sprite(sprite, 1, mirror);
            const auto whole = Whole([&] { return Sprite(sprite, 1, mirror); });
            ASSERT_EQ(cut.size(), 1u);
            ASSERT_EQ(whole.size(), 1u);
            ExpectTexels(TexelsShown(cut[0], 64, 32), 35.5f, 9.5f, 42.5f, 13.5f);
            ExpectSameTexturePoints(cut[0], whole[0]);
        }
    }
    // Frame 0 is clear.
    EXPECT_TRUE(Sprite(sprite, 0, 0).empty());
}

TEST_F(SpriteTrimmingTest, AnAnisotropicFilterWidensTheCutByHalfItsFootprint) {
    d3d.SetStageFilter(kTexfAnisotropic, 0);
    d3d.SetStageStateCounted(0, kTssMaxAnisotropy, 4);
    Sprites().SetSpriteScale(sprite, 1, 1);
    // At the native size a pixel spans a texel: half a texel more.
    ExpectTexels(TexelsShown(Sprite(sprite, 1, 0).at(0), 64, 32), 35, 9, 43, 14);
    // At half size two texels: one texel more, as far as texels are read
    // around a frame.
    Sprites().SetSpriteScale(sprite, 0.5f, 0.5f);
    ExpectTexels(TexelsShown(Sprite(sprite, 1, 0).at(0), 64, 32), 34.5f, 8.5f, 43.5f, 14.5f);
    // Smaller still, the whole frame.
    Sprites().SetSpriteScale(sprite, 0.4f, 0.4f);
    ExpectTexels(TexelsShown(Sprite(sprite, 1, 0).at(0), 64, 32), 32, 0, 64, 32);
}

TEST_F(SpriteTrimmingTest, AMirrorModeAbove3KeepsTheWholeFrameOfThePreviousDraw) {
    Sprite(sprite, 1, VEX_Sprite::kLeftRight);
    const auto kept = Sprite(sprite, 0, 7);
    ASSERT_EQ(kept.size(), 1u);
    ExpectTexels(TexelsShown(kept[0], 64, 32), 32, 0, 64, 32);
    EXPECT_FLOAT_EQ(kept[0].corners[0].u, 1);  // still mirrored
    EXPECT_FLOAT_EQ(kept[0].corners[3].x - kept[0].corners[0].x, 48);
}

TEST_F(QuadTrimmingTest, APictureWithSmallerLevelsIsDrawnWhole) {
    TextureList().SetMipLevels(0);
    const int16_t sprite =
        Sprites().AddSprite(nullptr, Picture("chain", 32, 32, {{16, 16}}), 1, 1, false);
    const auto quads = Sprite(sprite, 0, 0);
    ASSERT_EQ(quads.size(), 1u);
    ExpectTexels(TexelsShown(quads[0], 32, 32), 0, 0, 32, 32);
}

}  // namespace
