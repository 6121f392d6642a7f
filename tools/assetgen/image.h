// A small RGBA canvas for drawing the game's pictures, with antialiased
// shapes composited "over" in floating point, and 32-bit TGA and PNG writers.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

Color Mix(const Color& a, const Color& b, float t);
Color Scaled(const Color& c, float factor);  // scales r, g, b; keeps alpha
Color FromHex(unsigned rgb, float alpha = 1.0f);

class Image {
public:
    Image(int width, int height, Color fill = {0, 0, 0, 0});

    int Width() const { return width_; }
    int Height() const { return height_; }

    const Color& At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, const Color& c) { pixels_[Index(x, y)] = c; }

    // Composites c over the pixel with the given coverage (0..1); pixels
    // outside the canvas are ignored.
    void Blend(int x, int y, const Color& c, float coverage = 1.0f);

    // Antialiased shapes; coordinates are in pixels, pixel centres at +0.5.
    void FillCircle(float cx, float cy, float radius, const Color& c);
    void StrokeCircle(float cx, float cy, float radius, float thickness, const Color& c);
    void FillRect(float x0, float y0, float x1, float y1, const Color& c);
    void StrokeLine(float x0, float y0, float x1, float y1, float thickness, const Color& c);

    // Writes an uncompressed 32-bit TGA with the origin at the top left.
    // Invisible texels next to visible ones take on their colour, so that
    // filtering at the edge of a sprite or glyph fades towards the edge's own
    // colour rather than towards black.
    void WriteTga(const std::filesystem::path& path) const;
    // Writes an 8-bit RGBA PNG, with the same colour bleed at the edges.
    void WritePng(const std::filesystem::path& path) const;

private:
    std::vector<Color> BledPixels() const;

    std::size_t Index(int x, int y) const {
        return std::size_t(y) * std::size_t(width_) + std::size_t(x);
    }

    int width_;
    int height_;
    std::vector<Color> pixels_;
};

}  // namespace assetgen
