#include "platform/gfx/gfx_glyph_atlas.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/text_encoding.h"

namespace gfx {

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

constexpr int kDefaultCellHeight = 16;
constexpr uint32_t kGap = 1;  // empty texels around each glyph, so point sampling never bleeds

// A LOGFONT height: positive is the cell (ascent + descent), negative the
// em size, zero a default.
FT_F26Dot6 EmSize(FT_Face face, int32_t height) {
    if (height < 0) return FT_F26Dot6(-height) * 64;
    const int cell = height == 0 ? kDefaultCellHeight : height;
    const int span = face->ascender - face->descender;
    if (span <= 0) return FT_F26Dot6(cell) * 64;
    return FT_F26Dot6(std::lround(double(cell) * 64.0 * face->units_per_EM / span));
}

uint32_t PowerOfTwoAtLeast(uint32_t n) {
    uint32_t p = 1;
    while (p < n) p <<= 1;
    return p;
}

struct Bitmap {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> coverage;
};

// Rows x columns of glyph boxes in the order given, wrapping at the width;
// the height they need.
uint32_t Pack(std::array<Glyph, 256>& glyphs, uint32_t width, uint16_t& solidX, uint16_t& solidY) {
    uint32_t x = kGap, y = kGap, rowHeight = 2;
    solidX = uint16_t(x), solidY = uint16_t(y);
    x += 2 + kGap;
    for (Glyph& glyph : glyphs) {
        if (glyph.width == 0) continue;
        if (x + glyph.width + kGap > width) x = kGap, y += rowHeight + kGap, rowHeight = 0;
        glyph.x = uint16_t(x), glyph.y = uint16_t(y);
        x += glyph.width + kGap;
        rowHeight = std::max<uint32_t>(rowHeight, glyph.height);
    }
    return y + rowHeight + kGap;
}

}  // namespace

bool RasteriseGlyphAtlas(const FontFile& file, const FontDescription& description,
                         GlyphAtlas& atlas) {
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) return false;
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), file.path.c_str(), file.index, &rawFace) != 0) return false;
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);
    if (!FT_IS_SCALABLE(face.get()) ||
        FT_Set_Char_Size(face.get(), 0, EmSize(face.get(), description.height), 72, 72) != 0)
        return false;

    const FT_Size_Metrics& metrics = face->size->metrics;
    if (description.height > 0) {
        // A cell height is the line's height exactly, as Windows keeps it:
        // rounding ascent and descent up apart would add a pixel a line,
        // and a text sized for its panel would run out of it.
        atlas.ascent = int(std::lround(double(FT_MulFix(face->ascender, metrics.y_scale)) / 64.0));
        atlas.descent = description.height - atlas.ascent;
    } else {
        atlas.ascent = int((metrics.ascender + 63) >> 6);
        atlas.descent = int((-metrics.descender + 63) >> 6);
    }
    atlas.underlineOffset = std::max(
        1, int(std::lround(-double(FT_MulFix(face->underline_position, metrics.y_scale)) / 64.0)));
    atlas.underlineThickness = std::max(
        1, int(std::lround(double(FT_MulFix(face->underline_thickness, metrics.y_scale)) / 64.0)));

    std::array<Bitmap, 256> bitmaps;
    uint32_t widest = 2;
    for (uint32_t code = 0x20; code < 256; ++code) {
        const char32_t character = FromWindows1252(static_cast<unsigned char>(code));
        const FT_UInt index = character ? FT_Get_Char_Index(face.get(), character) : 0;
        if (index == 0 || FT_Load_Glyph(face.get(), index, FT_LOAD_DEFAULT) != 0) continue;
        FT_GlyphSlot slot = face->glyph;
        if (file.embolden) FT_GlyphSlot_Embolden(slot);
        if (file.slant) FT_GlyphSlot_Oblique(slot);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
        Glyph& glyph = atlas.glyphs[code];
        glyph.advance = int16_t((slot->advance.x + 32) >> 6);
        const FT_Bitmap& source = slot->bitmap;
        if (source.pixel_mode != FT_PIXEL_MODE_GRAY || source.width == 0 || source.rows == 0)
            continue;
        glyph.width = uint16_t(source.width), glyph.height = uint16_t(source.rows);
        glyph.left = int16_t(slot->bitmap_left), glyph.top = int16_t(slot->bitmap_top);
        Bitmap& bitmap = bitmaps[code];
        bitmap.width = source.width, bitmap.height = source.rows;
        bitmap.coverage.resize(size_t(source.width) * source.rows);
        for (uint32_t row = 0; row < source.rows; ++row) {
            const uint8_t* from = source.buffer + ptrdiff_t(row) * source.pitch;
            std::copy(from, from + source.width,
                      bitmap.coverage.begin() + ptrdiff_t(row) * source.width);
        }
        widest = std::max<uint32_t>(widest, source.width);
    }

    atlas.width = PowerOfTwoAtLeast(std::max(256u, (widest + kGap) * 4));
    atlas.height = PowerOfTwoAtLeast(Pack(atlas.glyphs, atlas.width, atlas.solidX, atlas.solidY));
    atlas.coverage.assign(size_t(atlas.width) * atlas.height, 0);
    for (uint32_t row = 0; row < 2; ++row)
        for (uint32_t column = 0; column < 2; ++column)
            atlas.coverage[size_t(atlas.solidY + row) * atlas.width + atlas.solidX + column] = 255;
    for (uint32_t code = 0; code < 256; ++code) {
        const Glyph& glyph = atlas.glyphs[code];
        const Bitmap& bitmap = bitmaps[code];
        for (uint32_t row = 0; row < bitmap.height; ++row)
            std::copy_n(bitmap.coverage.begin() + ptrdiff_t(row) * bitmap.width, bitmap.width,
                        atlas.coverage.begin() + ptrdiff_t(glyph.y + row) * atlas.width + glyph.x);
    }
    return true;
}

}  // namespace gfx
