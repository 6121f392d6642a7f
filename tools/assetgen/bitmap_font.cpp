#include "tools/assetgen/bitmap_font.h"

#include <algorithm>
#include <cmath>

#include "base/text_encoding.h"
#include "tools/assetgen/glyph_renderer.h"

namespace assetgen {

namespace {

// 512 x 512 texels make 32 x 32 cells; the game draws them at 38 x 38, so
// they are only slightly magnified.
constexpr int kCell = 32;
constexpr int kAtlas = kCell * 16;
// DejaVu Sans Bold at 22 pixels: ascender + descender (about 27) plus the
// outline above and below fits a cell, accented capitals included.
constexpr int kPixelSize = 22;
constexpr int kOutline = 2;
// Narrow letters: the HUD's tightest lines (its eight-character run clock
// in 100 pixels at size 32, "nível:" before the level's number at size 28)
// are laid out for a condensed face.
constexpr float kWidthScale = 0.75f;

// Outline coverage at a texel: the glyph's coverage spread over a disc of
// radius kOutline + 0.5, with a soft edge.
float OutlineAt(const GlyphBitmap& g, int x, int y) {
    float best = 0.0f;
    for (int dy = -kOutline - 1; dy <= kOutline + 1; ++dy)
        for (int dx = -kOutline - 1; dx <= kOutline + 1; ++dx) {
            const float reach =
                std::clamp(kOutline + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
            if (reach > 0.0f) best = std::max(best, g.At(x + dx, y + dy) * reach);
        }
    return best;
}

void PaintGlyph(Image& atlas, const GlyphBitmap& g, int cellX, int cellY, int baseline) {
    const int left = std::max(kOutline + g.left, kOutline);
    const int top = baseline - g.top;
    for (int y = -kOutline - 1; y < g.height + kOutline + 1; ++y)
        for (int x = -kOutline - 1; x < g.width + kOutline + 1; ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= kCell || ty >= kCell) continue;
            const float fill = g.At(x, y);
            const float outline = OutlineAt(g, x, y);
            const float alpha = fill + outline * (1.0f - fill);
            if (alpha <= 0.0f) continue;
            const float white = fill / alpha;
            atlas.Set(cellX + tx, cellY + ty, {white, white, white, alpha});
        }
}

}  // namespace

BitmapFont MakeBitmapFont() {
    GlyphRenderer renderer(DejaVuFont("DejaVuSans-Bold.ttf"), kPixelSize, kWidthScale);
    BitmapFont font{Image(kAtlas, kAtlas), {}};
    const int baseline = kOutline + renderer.Ascender();
    const int spaceWidth = int(std::lround(renderer.Render(U' ').advance));
    for (int c = 0; c < 256; ++c) {
        const char32_t code = FromWindows1252(static_cast<unsigned char>(c));
        if (c < 32) {
            font.widths[std::size_t(c)] = 0;  // control codes take no room
            continue;
        }
        if (code == 0 || !renderer.HasGlyph(code)) {
            font.widths[std::size_t(c)] = static_cast<unsigned char>(spaceWidth);
            continue;
        }
        const GlyphBitmap glyph = renderer.Render(code);
        PaintGlyph(font.glyphs, glyph, (c % 16) * kCell, (c / 16) * kCell, baseline);
        // The outline adds a texel on each side; one more keeps neighbours'
        // outlines from merging.
        const int advance = int(std::lround(glyph.advance)) + kOutline;
        font.widths[std::size_t(c)] = static_cast<unsigned char>(std::clamp(advance, 1, kCell));
    }
    return font;
}

}  // namespace assetgen
