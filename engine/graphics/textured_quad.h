// The one quad the bitmap fonts and the sprites draw every character and
// picture with: four corners in the 2D view's units (z 0), each with its
// colour and texture coordinates, drawn as a two-triangle strip from memory
// in the order top-left, top-right, bottom-left, bottom-right.
#pragma once

#include <cstdint>

#include "platform/gfx/gfx_device.h"

struct QuadVertex {
    float x = 0, y = 0, z = 0;
    uint32_t color = 0xFFFFFFFF;
    float u = 0, v = 0;
};

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
    void Draw(gfx::Device& device) const {
        device.DrawPrimitiveUP(gfx::kPtTriangleStrip, 2, corners, kFvf);
    }
};
