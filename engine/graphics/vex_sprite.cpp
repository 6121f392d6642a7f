#include "engine/graphics/vex_sprite.h"

#include <cmath>

#include "base/debug_log.h"
#include "engine/graphics/trim_rules.h"
#include "engine/graphics/vex_direct3d.h"
#include "engine/graphics/vex_texture_list.h"
#include "engine/services/string_tools.h"

namespace {

// The largest frame count a frame index (unsigned 16-bit) can reach.
constexpr uint32_t kMostFrames = 65535;

float PivotAt(float fraction, float size, bool exact) {
    const float pivot = fraction * size;
    return exact ? pivot : std::floor(pivot);
}

// The texture rectangle on the quad, turned over as the mirror mode says.
void MapTurned(TexturedQuad& quad, float umin, float vmin, float umax, float vmax, uint8_t mirror) {
    switch (mirror) {
        case VEX_Sprite::kLeftRight:
            return quad.MapTexture(umax, vmin, umin, vmax);
        case VEX_Sprite::kTopBottom:
            return quad.MapTexture(umin, vmax, umax, vmin);
        case VEX_Sprite::kBoth:
            return quad.MapTexture(umax, vmax, umin, vmin);
        default:
            return quad.MapTexture(umin, vmin, umax, vmax);
    }
}

}  // namespace

VEX_Sprite::VEX_Sprite(VEX_Direct3D& d3d, VEX_TextureList& textures)
    : d3d_(d3d), textures_(textures) {
    Log().ModuleStarting("VEX_Sprite");
    Log().ReportOk();
}

VEX_Sprite::~VEX_Sprite() {
    Log().ModuleFinishing("VEX_Sprite");
    if (ReleaseSprites()) Log().ReportOk();
}

int16_t VEX_Sprite::AddSprite(const char* name, int16_t texture, uint16_t columns, uint16_t rows,
                              bool) {
    if (!d3d_.device()) return -1;
    if (columns == 0) columns = 1;
    if (rows == 0) rows = 1;
    // In 32 bits: a 16-bit product wraps to a small count while the grid
    // still has columns x rows frames.
    const uint32_t count = uint32_t(columns) * rows;
    if (count > kMostFrames) {
        Log().WriteWarning("Erro ao criar sprite (%s).", name ? name : "");
        return -1;
    }
    auto sprite = std::make_unique<SpriteRecord>();
    sprite->name = StringTools::Duplicate(name);
    const TextureEntry* entry = textures_.EntryOf(texture);
    if (!entry || !entry->texture) {
        // No picture (the "null" entry, or one that failed to load): a
        // plain rectangle.
        sprite->texture = 0;
        sprite->frameCount = 1;
        sprite->frames.push_back({1, 1, 1, 1, 0, 0, 0, 0, 0, 0, {}});
        return sprites_.Insert(std::move(sprite));
    }
    sprite->texture = texture;
    sprite->inverseWidth = entry->inverseWidth;
    sprite->inverseHeight = entry->inverseHeight;
    sprite->frameCount = static_cast<uint16_t>(count);
    const auto width = float(entry->width / columns), height = float(entry->height / rows);
    const float stepU = 1.0f / float(columns), stepV = 1.0f / float(rows);
    const TextureAlpha alpha(entry);
    const auto texelsX = float(entry->width), texelsY = float(entry->height);
    sprite->frames.reserve(count);
    float v = 0;
    for (uint16_t row = 0; row < rows; ++row, v += stepV) {
        float u = 0;
        for (uint16_t column = 0; column < columns; ++column, u += stepU)
            sprite->frames.push_back({width, height, width, height, 0, 0, u, v, u + stepU,
                                      v + stepV,
                                      alpha.Find(u * texelsX, v * texelsY, (u + stepU) * texelsX,
                                                 (v + stepV) * texelsY)});
    }
    return sprites_.Insert(std::move(sprite));
}

SpriteFrame* VEX_Sprite::FrameOf(int16_t sprite, uint16_t frame) {
    SpriteRecord* record = sprites_.Get(sprite);
    return record && frame < record->frameCount ? &record->frames[frame] : nullptr;
}

void VEX_Sprite::SetSpriteScale(int16_t sprite, float scaleX, float scaleY) {
    if (SpriteRecord* record = sprites_.Get(sprite))
        record->scaleX = scaleX, record->scaleY = scaleY;
}

void VEX_Sprite::SetFrameSize(int16_t sprite, uint16_t frame, float width, float height) {
    SpriteFrame* f = FrameOf(sprite, frame);
    if (!f) return;
    // Written so that a NaN takes the native size too.
    f->width = width > 0 ? width : f->nativeWidth;
    f->height = height > 0 ? height : f->nativeHeight;
}

void VEX_Sprite::SetSpritePivot(int16_t sprite, float fractionX, float fractionY, bool exact) {
    SpriteRecord* record = sprites_.Get(sprite);
    if (!record) return;
    for (SpriteFrame& f : record->frames) {
        f.pivotX = PivotAt(fractionX, f.width, exact);
        f.pivotY = PivotAt(fractionY, f.height, exact);
    }
}

void VEX_Sprite::SetFramePivot(int16_t sprite, uint16_t frame, float fractionX, float fractionY,
                               bool exact) {
    SpriteFrame* f = FrameOf(sprite, frame);
    if (!f) return;
    f->pivotX = PivotAt(fractionX, f->width, exact);
    f->pivotY = PivotAt(fractionY, f->height, exact);
}

bool VEX_Sprite::BeginSprites() {
    gfx::Device* device = d3d_.device();
    if (!device) return false;
    batch_.Flush(*device);
    batchTexture_ = -1;
    drawn_ = 0;
    return true;
}

void VEX_Sprite::MapMirrored(const SpriteFrame& f, const QuadPart& part, uint8_t mirror) {
    if (mirror > kBoth) {
        // The previous draw's whole frame, even where that quad was cut.
        for (int i = 0; i < 4; ++i)
            quad_.corners[i].u = wholeFrame_.corners[i].u,
            quad_.corners[i].v = wholeFrame_.corners[i].v;
        return;
    }
    MapTurned(wholeFrame_, f.umin, f.vmin, f.umax, f.vmax, mirror);
    MapTurned(quad_, PartEdge(f.umin, f.umax, part.left), PartEdge(f.vmin, f.vmax, part.top),
              PartEdge(f.umin, f.umax, part.right), PartEdge(f.vmin, f.vmax, part.bottom), mirror);
}

void VEX_Sprite::DrawSprite(int16_t sprite, float x, float y, uint16_t frame, uint8_t mirror) {
    const SpriteRecord* record = sprites_.Get(sprite);
    gfx::Device* device = d3d_.device();
    if (!record || !device) return;
    const SpriteFrame& f = record->frames[frame % record->frameCount];
    const TrimRules rules = CurrentTrimRules(*device);
    // Sprites of a colour that draws nothing, or of a clear frame, still
    // count as drawn.
    const bool placed = PlaceFrame(*record, f, x, y, mirror, rules);
    const bool visible = placed && !(rules.clearColorDrawsNothing && quad_.Alpha() == 0);
    if (visible && rotation_ != 0) {
        // The angle is measured from a quarter turn written as 1.57079.
        const float a = 1.57079f - rotation_;
        const float c = std::sin(a), s = std::cos(a);
        for (QuadVertex& corner : quad_.corners) {
            const float dx = corner.x - x, dy = corner.y - y;
            corner.x = dx * c - dy * s + x;
            corner.y = dy * c + dx * s + y;
        }
    }
    // A quad on another picture draws what waits on the one bound.
    if (record->texture != batchTexture_) {
        batch_.Flush(*device);
        textures_.Bind(0, record->texture);
        batchTexture_ = record->texture;
    }
    if (visible) batch_.Add(quad_);
    ++drawn_;
}

bool VEX_Sprite::PlaceFrame(const SpriteRecord& record, const SpriteFrame& f, float x, float y,
                            uint8_t mirror, const TrimRules& rules) {
    const float width = f.width * record.scaleX, height = f.height * record.scaleY;
    // A mirror mode above kBoth keeps the texture rectangle of the previous
    // draw, which only the whole quad matches.
    const QuadPart part = rules.clearTexelsDrawNothing && mirror <= kBoth
                              ? f.visible.ShowingPart(width, height, rules.anisotropic)
                              : QuadPart{};
    MapMirrored(f, part, mirror);
    if (part.Empty()) return false;
    // A mirrored picture shows its part on the other side of the quad.
    QuadPart placed = part;
    if (mirror == kLeftRight || mirror == kBoth)
        placed.left = 1 - part.right, placed.right = 1 - part.left;
    if (mirror == kTopBottom || mirror == kBoth)
        placed.top = 1 - part.bottom, placed.bottom = 1 - part.top;
    const float left = x - f.pivotX * record.scaleX, top = y - f.pivotY * record.scaleY;
    quad_.PlacePart(left, top, left + width, top + height, placed);
    return true;
}

uint32_t VEX_Sprite::EndSprites() {
    if (gfx::Device* device = d3d_.device()) batch_.Flush(*device);
    batch_.Discard();
    batchTexture_ = -1;
    d3d_.AddTriangles(drawn_ * 2);
    d3d_.AddRenderCalls(drawn_);
    return drawn_;
}

void VEX_Sprite::RemoveSprite(int16_t sprite) {
    sprites_.Remove(sprite);
}

// Removing a sprite cannot fail, so the release always succeeds.
bool VEX_Sprite::ReleaseSprites() {
    batch_.Discard();
    batchTexture_ = -1;
    for (int16_t i = 0; i < sprites_.SlotsUsed(); ++i) RemoveSprite(i);
    sprites_.Clear();
    return true;
}
