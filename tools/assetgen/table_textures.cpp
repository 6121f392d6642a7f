#include "tools/assetgen/table_textures.h"

#include <algorithm>
#include <cmath>

#include "game/table_geometry.h"
#include "tools/assetgen/noise.h"

namespace assetgen {

namespace {

constexpr int kSurfaceSize = 512;
constexpr float kPi = 3.14159265f;

// Light, lacquered maple: long wavy streaks running along z (towards the
// players), with slow colour drift and fine pores.
Color MapleAt(int px, int py) {
    const float warp = FractalNoise(px / 48.0f, py / 180.0f, 4, 11) * 30.0f;
    const float streak = 0.5f + 0.5f * std::sin((px + warp) * 0.30f);
    const float drift = FractalNoise(px / 140.0f, py / 140.0f, 3, 17);
    const float pores = ValueNoise(px * 0.9f, py * 0.12f, 23);
    Color c =
        Mix(FromHex(0xE9CB98), FromHex(0xD2A56A), std::pow(streak, 3.0f) * 0.7f + drift * 0.35f);
    return Scaled(c, 0.94f + pores * 0.08f);
}

// Table units to texture pixels.
float Px(float x) {
    return table::SurfaceU(x) * kSurfaceSize;
}
float Py(float z) {
    return table::SurfaceV(z) * kSurfaceSize;
}
float Len(float units) {
    return units / (2 * table::kCushionFace) * kSurfaceSize;
}

void DrawShootingStrip(Image& img, float sign) {
    const Color red = FromHex(0xB3201E), tint = FromHex(0xC83A2A, 0.22f);
    const float zNear = table::kShootingStripNearZ * sign, zFar = table::kShootingStripFarZ * sign;
    const float y0 = Py(std::min(zNear, zFar)), y1 = Py(std::max(zNear, zFar));
    const float x0 = Px(table::kShootingStripMinX), x1 = Px(table::kShootingStripMaxX);
    const float radius = (y1 - y0) * 0.5f, cy = (y0 + y1) * 0.5f;
    img.FillRect(x0 + radius, y0, x1 - radius, y1, tint);
    img.StrokeLine(x0 + radius, y0, x1 - radius, y0, 2.2f, red);
    img.StrokeLine(x0 + radius, y1, x1 - radius, y1, 2.2f, red);
    for (float cx : {x0 + radius, x1 - radius}) {
        img.StrokeCircle(cx, cy, radius - 1.1f, 2.2f, red);
        img.FillCircle(cx, cy, radius * 0.62f, red);
        img.FillCircle(cx - radius * 0.15f, cy - radius * 0.15f, radius * 0.2f,
                       FromHex(0xE06050, 0.6f));
    }
}

void DrawCenter(Image& img) {
    const float c = kSurfaceSize * 0.5f;
    const Color ink = FromHex(0x3A2214), red = FromHex(0xB3201E);
    img.StrokeCircle(c, c, Len(9.0f), 2.0f, ink);
    img.StrokeCircle(c, c, Len(8.2f), 1.0f, ink);
    // An eight-pointed star, alternate points red and dark.
    for (int i = 0; i < 16; ++i) {
        const float a = i * kPi / 8.0f;
        const float tip = (i % 2 == 0) ? Len(7.6f) : Len(4.6f);
        const float base = Len(1.6f);
        const float ax = c + std::cos(a) * tip, ay = c + std::sin(a) * tip;
        for (float side : {-1.0f, 1.0f}) {
            const float b = a + side * kPi / 16.0f;
            img.StrokeLine(c + std::cos(b) * base, c + std::sin(b) * base, ax, ay, 1.6f,
                           (i % 4 == 0) ? red : ink);
        }
    }
    img.FillCircle(c, c, Len(2.0f), red);
    img.StrokeCircle(c, c, Len(2.0f), 1.4f, ink);
    img.StrokeCircle(c, c, Len(13.0f), 1.2f, FromHex(0x3A2214, 0.8f));
}

void DrawHole(Image& img, float hx, float hz) {
    const float cx = Px(hx), cy = Py(hz);
    const float r = Len(table::kHoleRadius);
    // Capture ring: where a disc's centre makes it fall.
    img.StrokeCircle(cx, cy, Len(table::kHoleCaptureRadius) + 2.0f, 1.2f, FromHex(0x3A2214, 0.7f));
    img.StrokeCircle(cx, cy, r + 3.0f, 5.0f, FromHex(0x24150C));
    img.StrokeCircle(cx, cy, r + 3.0f, 1.5f, FromHex(0xC8A060, 0.9f));
    // The shaft: dark, a little lighter where the light falls in.
    for (int y = int(cy - r - 2); y <= int(cy + r + 2); ++y)
        for (int x = int(cx - r - 2); x <= int(cx + r + 2); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            const float coverage = std::clamp(r + 0.5f - d, 0.0f, 1.0f);
            const Color deep =
                Mix(FromHex(0x050302), FromHex(0x2A1A10), std::clamp(d / r, 0.0f, 1.0f));
            img.Blend(x, y, deep, coverage);
        }
    // Arrow from the hole towards the centre, as painted on carrom boards.
    const float dirX = -hx / std::fabs(hx), dirZ = -hz / std::fabs(hz);
    const float s0 = 6.6f, s1 = 15.5f;
    const float ax0 = Px(hx + dirX * s0), ay0 = Py(hz + dirZ * s0);
    const float ax1 = Px(hx + dirX * s1), ay1 = Py(hz + dirZ * s1);
    const Color ink = FromHex(0x3A2214);
    img.StrokeLine(ax0, ay0, ax1, ay1, 1.8f, ink);
    const float head = Len(1.6f);
    for (float side : {-1.0f, 1.0f}) {
        const float hxp = ax1 - dirX * head + side * dirZ * head * 0.6f;
        const float hyp = ay1 - dirZ * head - side * dirX * head * 0.6f;
        img.StrokeLine(ax1, ay1, hxp, hyp, 1.8f, ink);
    }
    img.FillCircle(ax1 - dirX * Len(3.2f), ay1 - dirZ * Len(3.2f), Len(0.7f), FromHex(0xB3201E));
}

}  // namespace

Image MakePlayingSurface() {
    Image img(kSurfaceSize, kSurfaceSize);
    const float edge = float(kSurfaceSize);
    for (int y = 0; y < kSurfaceSize; ++y)
        for (int x = 0; x < kSurfaceSize; ++x) {
            // Darker towards the cushions, as if in their shadow.
            const float toEdge =
                std::min(std::min(x + 0.5f, edge - x - 0.5f), std::min(y + 0.5f, edge - y - 0.5f));
            const float shade = 0.72f + 0.28f * std::clamp(toEdge / 22.0f, 0.0f, 1.0f);
            img.Set(x, y, Scaled(MapleAt(x, y), shade));
        }
    // A painted frame line around the field.
    const float inset = Len(1.4f);
    const Color ink = FromHex(0x3A2214);
    img.StrokeLine(inset, inset, edge - inset, inset, 1.6f, ink);
    img.StrokeLine(inset, edge - inset, edge - inset, edge - inset, 1.6f, ink);
    img.StrokeLine(inset, inset, inset, edge - inset, 1.6f, ink);
    img.StrokeLine(edge - inset, inset, edge - inset, edge - inset, 1.6f, ink);

    DrawShootingStrip(img, 1.0f);
    DrawShootingStrip(img, -1.0f);
    DrawCenter(img);
    for (float hx : {-table::kHoleCenter, table::kHoleCenter})
        for (float hz : {-table::kHoleCenter, table::kHoleCenter}) DrawHole(img, hx, hz);
    return img;
}

Image MakeRimWood() {
    // Polished mahogany. The rim repeats the picture along its length, so
    // every pattern here tiles: the noise lattices wrap at the picture's edge
    // and a whole number of growth rings spans its height. Rings run along u
    // (the rim's length), bent by slow noise, each ending in a thin dark line
    // of latewood; pores are short dark streaks along the grain.
    constexpr int kSize = 256;
    constexpr float kRings = 14;
    Image img(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float warp = FractalNoise(x / 64.0f, y / 64.0f, 3, 31, 4) * 18.0f;
            const float ring = (y + warp) * kRings / kSize;
            const float f = ring - std::floor(ring);
            const float latewood = std::clamp((f - 0.8f) / 0.15f, 0.0f, 1.0f) *
                                   std::clamp((1.0f - f) / 0.05f, 0.0f, 1.0f);
            const float figure = FractalNoise(x / 32.0f, y / 64.0f, 4, 37, 8);
            const float pores = ValueNoise(x / 8.0f, float(y), 41) > 0.85f ? 0.8f : 1.0f;
            Color c = Mix(FromHex(0x7E3418), FromHex(0x5C2110), f * 0.7f);
            c = Mix(c, FromHex(0x3A1208), latewood * 0.6f);
            c = Scaled(c, (0.85f + 0.3f * figure) * pores);
            img.Set(x, y, c);
        }
    return img;
}

}  // namespace assetgen
