// VEX_Sprite: flat pictures in the 2D view. A sprite is a texture cut into
// a grid of equal frames; each draw is one quad at a position, placed by
// the frame's pivot and the sprite's scale, turned by the module's
// rotation, tinted by its colour and optionally mirrored. Consecutive
// draws on one picture reach the device together, when the picture
// changes or the sprites end; each quad covers only the part of its frame
// that can show (visible_texels.h). A sprite on no texture is a single 1 x 1
// frame drawn as a plain rectangle in the current colour, so it keeps its
// index whatever the texture list holds.
#pragma once

#include <cstdint>
#include <vector>

#include "base/memory_tracker.h"
#include "base/slot_list.h"
#include "engine/graphics/textured_quad.h"
#include "engine/graphics/visible_texels.h"

class VEX_Direct3D;
struct TrimRules;
class VEX_TextureList;

struct SpriteFrame {
    float width = 0, height = 0;              // as drawn, before the scale
    float nativeWidth = 0, nativeHeight = 0;  // at creation
    float pivotX = 0, pivotY = 0;             // from the top-left corner, before the scale
    float umin = 0, vmin = 0, umax = 0, vmax = 0;
    VisibleTexels visible;  // found when the sprite is made
};

struct SpriteRecord : TrackedObject {
    TrackedChars name;  // may be null
    float inverseWidth = 0, inverseHeight = 0;
    float scaleX = 1, scaleY = 1;
    uint16_t frameCount = 0;
    int16_t texture = 0;
    std::vector<SpriteFrame, TrackedAllocator<SpriteFrame>> frames;
};

class VEX_Sprite : public TrackedObject {
public:
    enum Mirror : uint8_t { kAsIs = 0, kLeftRight = 1, kTopBottom = 2, kBoth = 3 };

    VEX_Sprite(VEX_Direct3D& d3d, VEX_TextureList& textures);
    ~VEX_Sprite();
    VEX_Sprite(const VEX_Sprite&) = delete;
    VEX_Sprite& operator=(const VEX_Sprite&) = delete;

    // Frames read row by row from the top-left; 0 columns or rows count as
    // 1. -1 without a device, or with a warning when the grid has more
    // frames than an index can name. Frame detection is not offered. The
    // frames' visible texels are read from the texture now.
    int16_t AddSprite(const char* name, int16_t texture, uint16_t columns, uint16_t rows,
                      bool detectFrames);
    void SetSpriteScale(int16_t sprite, float scaleX, float scaleY);
    // A size of 0 or less (or not a number) is the frame's native size.
    void SetFrameSize(int16_t sprite, uint16_t frame, float width, float height);
    // The pivot as fractions of the frame's size, rounded down unless exact.
    void SetSpritePivot(int16_t sprite, float fractionX, float fractionY, bool exact);
    void SetFramePivot(int16_t sprite, uint16_t frame, float fractionX, float fractionY,
                       bool exact);
    void SetSpriteColor(uint32_t argb) { quad_.SetColor(argb); }
    // Radians, about the drawing position, for every sprite drawn after.
    void SetSpriteRotation(float angle) { rotation_ = angle; }

    bool BeginSprites();
    // The frame wraps round the sprite's frame count; a mirror mode above
    // kBoth keeps the texture coordinates of the previous draw.
    void DrawSprite(int16_t sprite, float x, float y, uint16_t frame, uint8_t mirror);
    // Draws what waits and answers the sprites drawn since BeginSprites,
    // counted in the frame's statistics one call each.
    uint32_t EndSprites();

    void RemoveSprite(int16_t sprite);
    bool ReleaseSprites();

    bool IsValid(int16_t sprite) const { return sprites_.IsValid(sprite); }
    const SpriteRecord* SpriteOf(int16_t sprite) const { return sprites_.Get(sprite); }
    int16_t SlotsUsed() const { return sprites_.SlotsUsed(); }
    float rotation() const { return rotation_; }

private:
    SpriteFrame* FrameOf(int16_t sprite, uint16_t frame);
    // The part of the frame's texture rectangle, mirrored.
    void MapMirrored(const SpriteFrame& frame, const QuadPart& part, uint8_t mirror);
    // The frame's quad, cut to the part that can show when the rules
    // allow; false when no part can.
    bool PlaceFrame(const SpriteRecord& record, const SpriteFrame& frame, float x, float y,
                    uint8_t mirror, const TrimRules& rules);

    VEX_Direct3D& d3d_;
    VEX_TextureList& textures_;
    SlotList<SpriteRecord> sprites_;
    TexturedQuad quad_;
    TexturedQuad wholeFrame_;  // the texture rectangle of the last frame drawn, uncut
    QuadBatch batch_;
    int16_t batchTexture_ = -1;  // the picture the waiting quads are on
    float rotation_ = 0;
    uint32_t drawn_ = 0;
};
