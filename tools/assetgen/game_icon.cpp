#include "tools/assetgen/game_icon.h"

#include "tools/assetgen/sprite_textures.h"
#include "tools/assetgen/table_textures.h"

namespace assetgen {

namespace {

constexpr int kOversampling = 4;

// Covers the square [x0, x1) x [y0, y1) with the whole picture.
void PaintPicture(Image& img, const Image& picture, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const int u = (x - x0) * picture.Width() / (x1 - x0);
            const int v = (y - y0) * picture.Height() / (y1 - y0);
            img.Blend(x, y, picture.At(u, v));
        }
}

Image DrawLarge(int size) {
    Image img(size, size);
    const float s = float(size);
    const Image wood = MakeRimWood();
    const Image surface = MakePlayingSurface();
    // The table's shadow, its rim, then the playing surface inside it.
    img.FillRect(s * 0.07f, s * 0.07f, s * 0.98f, s * 0.98f, {0, 0, 0, 0.35f});
    PaintPicture(img, wood, int(s * 0.03f), int(s * 0.03f), int(s * 0.95f), int(s * 0.95f));
    const int inner0 = int(s * 0.13f), inner1 = int(s * 0.85f);
    PaintPicture(img, surface, inner0, inner0, inner1, inner1);
    // The four holes at the surface's corners.
    const float hole = s * 0.055f, near = float(inner0) + hole, far = float(inner1) - hole;
    for (const float hx : {near, far})
        for (const float hy : {near, far}) img.FillCircle(hx, hy, hole, FromHex(0x0A0604));
    PaintDisc(img, s * 0.36f, s * 0.40f, s * 0.085f, FromHex(0x20A030));
    PaintDisc(img, s * 0.60f, s * 0.34f, s * 0.085f, FromHex(0xC02020));
    PaintDisc(img, s * 0.49f, s * 0.64f, s * 0.10f, FromHex(0xE8C820));
    return img;
}

// Each pixel the mean of the block it covers, averaged with its alpha so
// transparent texels lend no colour.
Image Reduced(const Image& large, int factor) {
    const int size = large.Width() / factor;
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Color sum{0, 0, 0, 0};
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx) {
                    const Color& c = large.At(x * factor + dx, y * factor + dy);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            const float n = float(factor * factor);
            img.Set(x, y,
                    sum.a > 0 ? Color{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n}
                              : Color{0, 0, 0, 0});
        }
    return img;
}

}  // namespace

Image MakeGameIcon(int size) {
    return Reduced(DrawLarge(size * kOversampling), kOversampling);
}

}  // namespace assetgen
