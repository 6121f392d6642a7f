#include "tools/assetgen/sprite_textures.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetgen/glyph_renderer.h"
#include "tools/assetgen/noise.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

// A line of text as a coverage mask the size of its ink box.
struct TextMask {
    int width = 0, height = 0;
    std::vector<float> coverage;
    float At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
        return coverage[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

TextMask RenderText(const char* fontFile, int pixelSize, const std::u32string& text) {
    GlyphRenderer renderer(DejaVuFont(fontFile), pixelSize);
    const int ascender = renderer.Ascender();
    std::vector<GlyphBitmap> glyphs;
    float pen = 0;
    std::vector<float> pens;
    for (char32_t c : text) {
        glyphs.push_back(renderer.Render(c));
        pens.push_back(pen);
        pen += glyphs.back().advance;
    }
    TextMask mask;
    mask.width = int(std::ceil(pen)) + 4;
    mask.height = ascender + renderer.Descender();
    mask.coverage.assign(std::size_t(mask.width) * std::size_t(mask.height), 0.0f);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap& g = glyphs[i];
        const int ox = int(std::lround(pens[i])) + g.left + 2, oy = ascender - g.top;
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x) {
                const int tx = ox + x, ty = oy + y;
                if (tx < 0 || ty < 0 || tx >= mask.width || ty >= mask.height) continue;
                float& dst =
                    mask.coverage[std::size_t(ty) * std::size_t(mask.width) + std::size_t(tx)];
                dst = std::max(dst, g.At(x, y));
            }
    }
    return mask;
}

// The text at the largest size up to maxPixelSize whose ink fits maxWidth.
TextMask RenderTextFitting(const char* fontFile, int maxPixelSize, int maxWidth,
                           const std::u32string& text) {
    for (int size = maxPixelSize;; --size) {
        TextMask mask = RenderText(fontFile, size, text);
        if (mask.width <= maxWidth || size <= 8) return mask;
    }
}

float Dilated(const TextMask& m, int x, int y, float radius) {
    float best = 0;
    const int r = int(std::ceil(radius));
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const float reach =
                std::clamp(radius + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
            if (reach > 0) best = std::max(best, m.At(x + dx, y + dy) * reach);
        }
    return best;
}

// Paints text with a drop shadow, a dark outline and a vertical gradient
// fill (top colour to bottom colour), its ink box's top-left at (x, y).
void PaintTitle(Image& img, const TextMask& m, int x, int y, Color top, Color bottom, Color outline,
                float glow) {
    for (int my = -6; my < m.height + 6; ++my)
        for (int mx = -6; mx < m.width + 6; ++mx) {
            const float shadow = Dilated(m, mx - 3, my - 3, 2.5f);
            img.Blend(x + mx, y + my, {0, 0, 0, 0.45f}, shadow);
            if (glow > 0)
                img.Blend(x + mx, y + my, FromHex(0xFFF0A0, glow), Dilated(m, mx, my, 5.0f) * 0.5f);
            img.Blend(x + mx, y + my, outline, Dilated(m, mx, my, 2.5f));
            const float t = std::clamp(float(my) / float(m.height), 0.0f, 1.0f);
            Color fill = Mix(top, bottom, t);
            // A glossy band across the upper half.
            if (t < 0.45f) fill = Mix(fill, {1, 1, 1, 1}, 0.35f * (1.0f - t / 0.45f));
            img.Blend(x + mx, y + my, fill, m.At(mx, my));
        }
}

void PaintLogoFrame(Image& img, int frameTop, bool lit) {
    const TextMask vex = RenderText("DejaVuSans-Bold.ttf", 30, U"VEX");
    // The title fills the frame's width, leaving room for its outline and shadow.
    const TextMask ringdisk =
        RenderTextFitting("DejaVuSans-Bold.ttf", 56, 256 - 12 - 10, U"Ringdisk");
    // "VEX" on a small red plate, "Ringdisk" large below it.
    const int plateX = 14, plateY = frameTop + 10;
    const int plateW = vex.width + 16, plateH = vex.height + 6;
    img.FillRect(float(plateX + 3), float(plateY + 3), float(plateX + plateW + 3),
                 float(plateY + plateH + 3), {0, 0, 0, 0.4f});
    img.FillRect(float(plateX), float(plateY), float(plateX + plateW), float(plateY + plateH),
                 FromHex(0x9E1410));
    img.FillRect(float(plateX + 2), float(plateY + 2), float(plateX + plateW - 2),
                 float(plateY + plateH / 2), FromHex(0xD03020, 0.7f));
    PaintTitle(img, vex, plateX + 7, plateY + 3, FromHex(0xFFFFFF), FromHex(0xFFD8A0),
               FromHex(0x3A0804), 0);
    const float glow = lit ? 0.55f : 0.0f;
    PaintTitle(img, ringdisk, 12, frameTop + 48, FromHex(lit ? 0xFFF6B0 : 0xFFE060),
               FromHex(0xE08A10), FromHex(0x2A1404), glow);
    // Three discs in the game's colours beside "VEX".
    const float discY = float(frameTop + 10 + plateH / 2);
    PaintDisc(img, float(plateX + plateW + 22), discY, 12, FromHex(0x20A030));
    PaintDisc(img, float(plateX + plateW + 50), discY, 12, FromHex(0xC02020));
    PaintDisc(img, float(plateX + plateW + 78), discY, 12, FromHex(0xE8C820));
}

void PaintExplosionFrame(Image& img, int frameTop, std::uint32_t seed) {
    const float cx = 128, cy = float(frameTop) + 64;
    Random rnd(seed);
    // A jagged star: the radius at each of 18 points is random within a range,
    // alternately long and short; between points it is interpolated.
    constexpr int kPoints = 18;
    float radii[kPoints];
    for (int i = 0; i < kPoints; ++i)
        radii[i] = (i % 2 == 0) ? rnd.Range(0.85f, 1.0f) : rnd.Range(0.5f, 0.66f);
    const float phase = rnd.Range(0.0f, 2 * kPi / kPoints);
    auto edgeAt = [&](float angle) {
        float t = (angle - phase) / (2 * kPi) * kPoints;
        t -= std::floor(t / kPoints) * kPoints;
        const int i = int(t) % kPoints;
        const float f = t - std::floor(t);
        return radii[i] + (radii[(i + 1) % kPoints] - radii[i]) * f;
    };
    for (int y = frameTop; y < frameTop + 128; ++y)
        for (int x = 0; x < 256; ++x) {
            // The star is stretched to the frame's 2:1 shape.
            const float dx = (x + 0.5f - cx) / 124.0f, dy = (y + 0.5f - cy) / 62.0f;
            const float r = std::hypot(dx, dy);
            const float edge = edgeAt(std::atan2(dy, dx));
            const float rel = r / edge;
            const float coverage = std::clamp((1.0f - rel) * 40.0f, 0.0f, 1.0f);
            if (coverage <= 0) continue;
            const float turbulence = FractalNoise(x / 18.0f, y / 18.0f, 3, seed) * 0.25f;
            const float heat = std::clamp(rel + turbulence - 0.1f, 0.0f, 1.0f);
            Color c = heat < 0.45f
                          ? Mix(FromHex(0xFFFDE0), FromHex(0xFFD030), heat / 0.45f)
                          : Mix(FromHex(0xFFD030), FromHex(0xE03010), (heat - 0.45f) / 0.55f);
            if (rel > 0.9f) c = Mix(c, FromHex(0x801008), (rel - 0.9f) / 0.1f);
            img.Blend(x, y, c, coverage);
        }
}

}  // namespace

void PaintDisc(Image& img, float cx, float cy, float r, Color base) {
    img.FillCircle(cx + r * 0.12f, cy + r * 0.16f, r, {0, 0, 0, 0.35f});
    img.FillCircle(cx, cy, r, Scaled(base, 0.55f));
    img.FillCircle(cx, cy, r * 0.9f, base);
    img.StrokeCircle(cx, cy, r * 0.62f, std::max(1.0f, r * 0.08f), Scaled(base, 0.7f));
    img.FillCircle(cx - r * 0.3f, cy - r * 0.32f, r * 0.28f, Mix(base, {1, 1, 1, 1}, 0.55f));
    img.FillCircle(cx - r * 0.36f, cy - r * 0.38f, r * 0.12f, {1, 1, 1, 0.8f});
}

Image MakeLogo() {
    Image img(256, 256);
    PaintLogoFrame(img, 0, false);
    PaintLogoFrame(img, 128, true);
    return img;
}

Image MakeExplosion() {
    Image img(256, 256);
    PaintExplosionFrame(img, 0, 1234);
    PaintExplosionFrame(img, 128, 5678);
    return img;
}

Image MakeSpark() {
    // Drawn unscaled and tinted by the burst's colour, so it is white and
    // small: a hot core with a short glow and four thin rays that twinkle as
    // the spark spins. The rim of the glow is darker rather than only more
    // transparent, so the spark still looks round where the texture keeps a
    // single bit of alpha.
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const float dx = x + 0.5f - 16, dy = y + 0.5f - 16;
            const float r = std::hypot(dx, dy);
            const float core = std::clamp((7.0f - r) / 4.0f, 0.0f, 1.0f);
            const float along = std::clamp(1.0f - r / 12.0f, 0.0f, 1.0f);
            const float thin =
                std::clamp(1.2f - std::min(std::fabs(dx), std::fabs(dy)), 0.0f, 1.0f);
            const float rays = thin * along;
            const float a = std::max(core, rays);
            if (a <= 0) continue;
            const float bright = 0.55f + 0.45f * std::max(core * core, rays * along);
            img.Set(x, y, {bright, bright, bright, a});
        }
    return img;
}

Image MakeRocket() {
    Image img(16, 32);
    // Flame at the bottom, body, red nose cone on top, two fins.
    for (int y = 22; y < 32; ++y)
        for (int x = 0; x < 16; ++x) {
            const float t = (y - 22) / 10.0f;
            const float half = 3.2f * (1.0f - t);
            const float d = std::fabs(x + 0.5f - 8) - half;
            const Color c = Mix(FromHex(0xFFF6C0), FromHex(0xFF6010, 0.2f), t);
            img.Blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
        }
    img.FillRect(4.5f, 20.0f, 11.5f, 23.0f, FromHex(0x909090));  // nozzle
    img.FillRect(2.0f, 15.0f, 5.0f, 22.0f, FromHex(0xC02020));   // fins
    img.FillRect(11.0f, 15.0f, 14.0f, 22.0f, FromHex(0xC02020));
    for (int y = 7; y < 21; ++y)
        for (int x = 5; x < 11; ++x) {
            const float shade = 1.0f - std::fabs(x + 0.5f - 7.3f) / 5.0f;
            img.Blend(x, y, Mix(FromHex(0x808890), FromHex(0xFFFFFF), shade));
        }
    img.FillRect(5.0f, 12.0f, 11.0f, 13.5f, FromHex(0xC02020));
    for (int y = 1; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const float half = 3.0f * (y - 0.5f) / 7.0f;
            const float d = std::fabs(x + 0.5f - 8) - half;
            img.Blend(x, y, FromHex(0xD02818), std::clamp(0.5f - d, 0.0f, 1.0f));
        }
    return img;
}

Image MakeDiscIcon() {
    Image img(32, 32);
    PaintDisc(img, 15.0f, 15.0f, 13.0f, FromHex(0xF0C818));
    return img;
}

Image MakeCueWood() {
    constexpr int kW = 64, kH = 512;
    Image img(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float grain = FractalNoise(x / 8.0f, y / 64.0f, 3, 61, 8);
            const float streak = 0.5f + 0.5f * std::sin((x + grain * 10.0f) * (2 * kPi / 8.0f));
            const float t = y / float(kH);  // 0 at the tip, 1 at the butt
            Color c;
            if (t < 0.012f)
                c = FromHex(0x2E5FA8);  // chalked leather tip
            else if (t < 0.035f)
                c = FromHex(0xF4F0E6);  // ferrule
            else if (t < 0.60f)
                c = Mix(FromHex(0xEED9A8), FromHex(0xD8B57A), streak * 0.6f);  // maple shaft
            else if (t < 0.62f)
                c = FromHex(0xE8E0D0);  // joint ring
            else if (t < 0.97f)
                c = Mix(FromHex(0x3A1A0C), FromHex(0x1C0C06), streak * 0.7f);  // ebony butt
            else
                c = FromHex(0x101010);  // butt cap
            // Long inlaid points of maple reaching into the ebony.
            if (t > 0.62f && t < 0.80f) {
                const float along = (t - 0.62f) / 0.18f;
                for (int k = 0; k < 4; ++k) {
                    const float centre = (k + 0.5f) * kW / 4.0f;
                    const float half = (1.0f - along) * 6.0f;
                    if (std::fabs(x + 0.5f - centre) < half) c = FromHex(0xE6CFA0);
                }
            }
            // A linen wrap with a diamond pattern in the grip.
            if (t > 0.82f && t < 0.95f) {
                const float d = std::fabs(std::fmod(x + y * 0.5f, 8.0f) - 4.0f) +
                                std::fabs(std::fmod(x - y * 0.5f + 512.0f, 8.0f) - 4.0f);
                c = Mix(FromHex(0x202428), FromHex(0x3A4048), d / 8.0f);
            }
            if (std::fabs(t - 0.815f) < 0.004f || std::fabs(t - 0.955f) < 0.004f)
                c = FromHex(0xC8A040);  // brass rings
            img.Set(x, y, Scaled(c, 0.92f + 0.1f * grain));
        }
    return img;
}

}  // namespace assetgen
