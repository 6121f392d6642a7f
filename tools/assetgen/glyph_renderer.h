// Renders single characters of a TrueType font to coverage bitmaps through
// FreeType, for the bitmap font and the logo.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

namespace assetgen {

struct GlyphBitmap {
    int width = 0, height = 0;
    int left = 0;       // pen position to the bitmap's left edge, pixels
    int top = 0;        // baseline to the bitmap's top edge, pixels (up is positive)
    float advance = 0;  // horizontal advance, pixels
    std::vector<unsigned char> coverage;  // width x height, row by row

    float At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
        return coverage[std::size_t(y) * std::size_t(width) + std::size_t(x)] / 255.0f;
    }
};

class GlyphRenderer {
public:
    // Throws when the font cannot be loaded. A width scale below 1 draws
    // the letters (and their advances) that much narrower.
    GlyphRenderer(const std::filesystem::path& fontFile, int pixelSize, float widthScale = 1.0f);
    ~GlyphRenderer();
    GlyphRenderer(const GlyphRenderer&) = delete;
    GlyphRenderer& operator=(const GlyphRenderer&) = delete;

    bool HasGlyph(char32_t code) const;
    GlyphBitmap Render(char32_t code) const;
    int Ascender() const;   // pixels above the baseline
    int Descender() const;  // pixels below the baseline (positive)

private:
    struct Library;
    std::unique_ptr<Library> ft_;
};

// The DejaVu faces the assets are drawn with (Debian's fonts-dejavu-core).
std::filesystem::path DejaVuFont(const char* fileName);

}  // namespace assetgen
