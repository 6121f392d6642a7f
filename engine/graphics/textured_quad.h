// The quads the bitmap fonts and the sprites draw every character and
// picture with: four corners in the 2D view's units (z 0), each with its
// colour and texture coordinates, in the order top-left, top-right,
// bottom-left, bottom-right. Quads that share a texture and the device's
// states are gathered in a batch and drawn in one call: on a software
// renderer each draw call costs far more than the few pixels of a
// character, so a text or a burst of sparks drawn quad by quad took many
// milliseconds a frame.
#pragma once

#include <cstdint>
#include <vector>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_device.h"

struct QuadVertex {
    float x = 0, y = 0, z = 0;
    uint32_t color = 0xFFFFFFFF;
    float u = 0, v = 0;
};

// A part of a quad and of its texture rectangle alike, as fractions of
// their sizes from the top-left corner.
struct QuadPart {
    float left = 0, top = 0, right = 1, bottom = 1;

    bool Empty() const { return !(left < right && top < bottom); }
};

// The point that fraction of the way from one edge to the other; 0 and 1
// give the edges themselves, exactly.
inline float PartEdge(float from, float to, float fraction) {
    if (fraction <= 0) return from;
    if (fraction >= 1) return to;
    return from + (to - from) * fraction;
}

struct TexturedQuad {
    static constexpr uint32_t kFvf = gfx::kFvfXyz | gfx::kFvfDiffuse | gfx::kFvfTex1;
    enum Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

    QuadVertex corners[4];

    void SetColor(uint32_t argb) {
        for (QuadVertex& corner : corners) corner.color = argb;
    }
    // An axis-aligned rectangle.
    void Place(float left, float top, float right, float bottom) {
        corners[kTopLeft].x = corners[kBottomLeft].x = left;
        corners[kTopRight].x = corners[kBottomRight].x = right;
        corners[kTopLeft].y = corners[kTopRight].y = top;
        corners[kBottomLeft].y = corners[kBottomRight].y = bottom;
    }
    // The texture rectangle, each corner taking its own corner of it.
    void MapTexture(float umin, float vmin, float umax, float vmax) {
        corners[kTopLeft].u = corners[kBottomLeft].u = umin;
        corners[kTopRight].u = corners[kBottomRight].u = umax;
        corners[kTopLeft].v = corners[kTopRight].v = vmin;
        corners[kBottomLeft].v = corners[kBottomRight].v = vmax;
    }
    // The part of the rectangle, of the texture rectangle alike; the whole
    // part gives exactly the whole rectangle.
    void PlacePart(float left, float top, float right, float bottom, const QuadPart& part) {
        Place(PartEdge(left, right, part.left), PartEdge(top, bottom, part.top),
              PartEdge(left, right, part.right), PartEdge(top, bottom, part.bottom));
    }
    void MapTexturePart(float umin, float vmin, float umax, float vmax, const QuadPart& part) {
        MapTexture(PartEdge(umin, umax, part.left), PartEdge(vmin, vmax, part.top),
                   PartEdge(umin, umax, part.right), PartEdge(vmin, vmax, part.bottom));
    }
    uint8_t Alpha() const { return uint8_t(corners[kTopLeft].color >> 24); }
};

// Quads waiting to be drawn together, as one indexed triangle list whose
// two triangles per quad face the way a two-triangle strip of the corners
// would.
class QuadBatch {
public:
    void Add(const TexturedQuad& quad) {
        const auto first = uint32_t(vertices_.size());
        vertices_.insert(vertices_.end(), std::begin(quad.corners), std::end(quad.corners));
        for (uint32_t corner : {0u, 1u, 2u, 2u, 1u, 3u}) indices_.push_back(first + corner);
    }
    // Draws what is waiting, with the texture and states the device has now.
    void Flush(gfx::Device& device) {
        if (vertices_.empty()) return;
        device.DrawIndexedPrimitiveUP(gfx::kPtTriangleList, uint32_t(vertices_.size()),
                                      uint32_t(indices_.size() / 3), indices_.data(),
                                      vertices_.data(), TexturedQuad::kFvf);
        Discard();
    }
    void Discard() {
        vertices_.clear();
        indices_.clear();
    }
    bool empty() const { return vertices_.empty(); }

private:
    std::vector<QuadVertex, TrackedAllocator<QuadVertex>> vertices_;
    std::vector<uint32_t, TrackedAllocator<uint32_t>> indices_;
};
