// Sprites on the recording backend: the frame grid, sizes, pivots and
// scale, mirroring, rotation, and the sprites that have no picture.
#include "engine/graphics/vex_sprite.h"

#include <cmath>

#include "tests/base/log_tail.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

class SpriteTest : public RecordingTest {
protected:
    // The quad of one draw of a sprite.
    RecordedQuad Drawn(int16_t sprite, float x, float y, uint16_t frame = 0, uint8_t mirror = 0) {
        const size_t before = device().draws().size();
        EXPECT_TRUE(sprites.BeginSprites());
        sprites.DrawSprite(sprite, x, y, frame, mirror);
        sprites.EndSprites();
        EXPECT_EQ(device().draws().size(), before + 1);
        return QuadsOf({device().draws().back()}).at(0);
    }

    VEX_Sprite& sprites = Sprites();
};

// Corner positions (top-left, top-right, bottom-left, bottom-right).
void ExpectCorners(const RecordedQuad& quad, float left, float top, float right, float bottom) {
    const float expected[4][2] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(quad.corners[i].x, expected[i][0], 1e-4) << "corner " << i;
        EXPECT_NEAR(quad.corners[i].y, expected[i][1], 1e-4) << "corner " << i;
    }
}

void ExpectTexture(const RecordedQuad& quad, float u0, float v0, float u1, float v1, float u2,
                   float v2, float u3, float v3) {
    const float expected[4][2] = {{u0, v0}, {u1, v1}, {u2, v2}, {u3, v3}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(quad.corners[i].u, expected[i][0]) << "corner " << i;
        EXPECT_FLOAT_EQ(quad.corners[i].v, expected[i][1]) << "corner " << i;
    }
}

TEST_F(SpriteTest, FramesAreAGridReadRowByRow) {
    const int16_t boom = TextureList().Create("boom.tga", 256, 256);
    const int16_t twoRows = sprites.AddSprite("boom", boom, 1, 2, false);
    ASSERT_GE(twoRows, 0);
    const SpriteRecord& record = *sprites.SpriteOf(twoRows);
    ASSERT_EQ(record.frameCount, 2);
    EXPECT_FLOAT_EQ(record.frames[1].width, 256);
    EXPECT_FLOAT_EQ(record.frames[1].height, 128);
    EXPECT_FLOAT_EQ(record.frames[1].vmin, 0.5f);
    EXPECT_FLOAT_EQ(record.frames[1].vmax, 1.0f);

    // 3 x 2 on 301 x 200 (sizes by integer division, so 100 wide): frame 4
    // is row 1, column 1.
    const int16_t grid =
        sprites.AddSprite(nullptr, TextureList().Create("g", 301, 200), 3, 2, false);
    const SpriteFrame& f = sprites.SpriteOf(grid)->frames[4];
    EXPECT_FLOAT_EQ(f.width, 100);
    EXPECT_FLOAT_EQ(f.umin, 1.0f / 3);
    EXPECT_FLOAT_EQ(f.umax, 2.0f / 3);
    EXPECT_FLOAT_EQ(f.vmin, 0.5f);
    // Zero columns or rows are one.
    EXPECT_EQ(sprites.SpriteOf(sprites.AddSprite(nullptr, boom, 0, 0, false))->frameCount, 1);

    // Drawing frame 5 of the two-frame sprite draws frame 1.
    const RecordedQuad frameOne = Drawn(twoRows, 0, 0, 5);
    ExpectTexture(frameOne, 0, 0.5f, 1, 0.5f, 0, 1, 1, 1);
    EXPECT_EQ(frameOne.texture, TextureList().TextureOf(boom));
}

TEST_F(SpriteTest, AGridWithMoreFramesThanAnIndexCanNameIsRefused) {
    const int16_t texture = TextureList().Create("big.tga", 256, 256);
    LogTail log;
    // 256 x 257 would wrap to 256 frames in 16 bits while the grid has 65,792.
    EXPECT_EQ(sprites.AddSprite("wide", texture, 256, 257, false), -1);
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao criar sprite (wide)."));
    EXPECT_EQ(sprites.SlotsUsed(), 0);
    const int16_t largest = sprites.AddSprite("largest", texture, 255, 257, false);
    ASSERT_GE(largest, 0);
    EXPECT_EQ(sprites.SpriteOf(largest)->frameCount, 65535);
    EXPECT_NEAR(sprites.SpriteOf(largest)->frames[65534].umin, 254.0 / 255, 1e-4);
    EXPECT_NEAR(sprites.SpriteOf(largest)->frames[65534].vmin, 256.0 / 257, 1e-4);
}

TEST_F(SpriteTest, ASpriteWithoutAPictureIsOnePlainFrameAndKeepsItsIndex) {
    const int16_t plain = sprites.AddSprite(nullptr, 0, 1, 1, false);
    const int16_t missing =
        sprites.AddSprite(nullptr, TextureList().FindIndex("no.tga"), 4, 4, false);
    ASSERT_EQ(plain, 0);
    ASSERT_EQ(missing, 1);
    const SpriteRecord& record = *sprites.SpriteOf(missing);
    EXPECT_EQ(record.frameCount, 1);
    EXPECT_FLOAT_EQ(record.frames[0].width, 1);
    sprites.SetFrameSize(missing, 0, 40, 20);
    sprites.SetSpriteColor(0x80FF0000);
    const RecordedQuad quad = Drawn(missing, 10, 10, 3);
    ExpectCorners(quad, 10, 10, 50, 30);
    EXPECT_EQ(quad.texture, nullptr);
    EXPECT_EQ(quad.corners[0].diffuse, 0x80FF0000u);
    sprites.SetSpriteColor(0xFFFFFFFF);
}

TEST_F(SpriteTest, PivotAndScalePlaceTheQuadAroundThePosition) {
    const int16_t sprite =
        sprites.AddSprite(nullptr, TextureList().Create("p", 10, 10), 1, 1, false);
    sprites.SetSpritePivot(sprite, 0.5f, 0.5f, true);
    sprites.SetSpriteScale(sprite, 2, 2);
    ExpectCorners(Drawn(sprite, 100, 100), 90, 90, 110, 110);

    // Rounded down unless exact; a frame beyond the count changes nothing.
    sprites.SetSpriteScale(sprite, 1, 1);
    sprites.SetFrameSize(sprite, 0, 15, 15);
    sprites.SetFramePivot(sprite, 0, 0.5f, 0.5f, false);
    EXPECT_FLOAT_EQ(sprites.SpriteOf(sprite)->frames[0].pivotX, 7);
    sprites.SetFrameSize(sprite, 1, 99, 99);
    sprites.SetFramePivot(sprite, 1, 1, 1, true);
    EXPECT_FLOAT_EQ(sprites.SpriteOf(sprite)->frames[0].width, 15);
    EXPECT_FLOAT_EQ(sprites.SpriteOf(sprite)->frames[0].pivotX, 7);
    // A size of 0 or NaN goes back to the native one.
    sprites.SetFrameSize(sprite, 0, 0, std::nanf(""));
    EXPECT_FLOAT_EQ(sprites.SpriteOf(sprite)->frames[0].width, 10);
    EXPECT_FLOAT_EQ(sprites.SpriteOf(sprite)->frames[0].height, 10);
}

TEST_F(SpriteTest, MirrorModesSwapTheirCoordinatesAndOthersKeepThePreviousOnes) {
    const int16_t sprite =
        sprites.AddSprite(nullptr, TextureList().Create("m", 64, 64), 2, 2, false);
    // Frame 3: u and v from 0.5 to 1.
    ExpectTexture(Drawn(sprite, 0, 0, 3, 1), 1, 0.5f, 0.5f, 0.5f, 1, 1, 0.5f, 1);
    ExpectTexture(Drawn(sprite, 0, 0, 3, 7), 1, 0.5f, 0.5f, 0.5f, 1, 1, 0.5f, 1);
    ExpectTexture(Drawn(sprite, 0, 0, 3, 2), 0.5f, 1, 1, 1, 0.5f, 0.5f, 1, 0.5f);
    ExpectTexture(Drawn(sprite, 0, 0, 3, 3), 1, 1, 0.5f, 1, 1, 0.5f, 0.5f, 0.5f);
    ExpectTexture(Drawn(sprite, 0, 0, 3, 0), 0.5f, 0.5f, 1, 0.5f, 0.5f, 1, 1, 1);

    // A fresh module's first draw with an unknown mode reads a zeroed quad.
    VEX_Sprite fresh(Direct3D(), TextureList());
    const int16_t other = fresh.AddSprite(nullptr, TextureList().FindIndex("m"), 1, 1, false);
    ASSERT_TRUE(fresh.BeginSprites());
    fresh.DrawSprite(other, 0, 0, 0, 200);
    fresh.EndSprites();
    ExpectTexture(QuadsOf({device().draws().back()}).at(0), 0, 0, 0, 0, 0, 0, 0, 0);
}

TEST_F(SpriteTest, RotationTurnsTheQuadAboutTheDrawingPosition) {
    const int16_t sprite =
        sprites.AddSprite(nullptr, TextureList().Create("r", 20, 10), 1, 1, false);
    ExpectCorners(Drawn(sprite, 50, 50), 50, 50, 70, 60);
    // A quarter turn: (dx, dy) becomes (-dy, dx) about (50, 50).
    sprites.SetSpriteRotation(1.5707964f);
    const RecordedQuad turned = Drawn(sprite, 50, 50);
    sprites.SetSpriteRotation(0);
    const float expected[4][2] = {{50, 50}, {50, 70}, {40, 50}, {40, 70}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(turned.corners[i].x, expected[i][0], 1e-3) << "corner " << i;
        EXPECT_NEAR(turned.corners[i].y, expected[i][1], 1e-3) << "corner " << i;
    }
}

TEST_F(SpriteTest, DrawsOnOnePictureGoTogetherAreCountedAndRemovedSpritesDrawNothing) {
    const int16_t sprite = sprites.AddSprite(nullptr, 0, 1, 1, false);
    const int16_t picture =
        sprites.AddSprite(nullptr, TextureList().Create("b", 8, 8), 1, 1, false);
    const uint32_t before = Direct3D().trianglesThisFrame();
    const size_t drawsBefore = device().draws().size();
    ASSERT_TRUE(sprites.BeginSprites());
    sprites.DrawSprite(sprite, 0, 0, 0, 0);
    sprites.DrawSprite(sprite, 5, 0, 0, 0);
    sprites.DrawSprite(picture, 5, 0, 0, 0);
    sprites.RemoveSprite(sprite);
    sprites.DrawSprite(sprite, 9, 0, 0, 0);
    sprites.DrawSprite(picture, 9, 0, 0, 0);
    EXPECT_EQ(sprites.EndSprites(), 4u);
    EXPECT_EQ(Direct3D().trianglesThisFrame() - before, 8u);
    // One draw for each run of quads on the same picture.
    ASSERT_EQ(device().draws().size(), drawsBefore + 2);
    EXPECT_EQ(device().draws()[drawsBefore].texture, nullptr);
    EXPECT_EQ(QuadsOf({device().draws()[drawsBefore]}).size(), 2u);
    EXPECT_EQ(QuadsOf({device().draws().back()}).size(), 2u);

    Direct3D().UseSystem(std::make_unique<RecordingSystem>());
    EXPECT_FALSE(sprites.BeginSprites());
    EXPECT_EQ(sprites.AddSprite(nullptr, 0, 1, 1, false), -1);
}

}  // namespace
