// The glyphs of a font's 256 Windows-1252 characters, rasterised once by
// FreeType (antialiased coverage) and packed into one alpha picture, with
// the metrics text layout needs. It lives in system memory, so the device
// texture made from it can be rebuilt at any time.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/gfx/gfx_font_lookup.h"

namespace gfx {

struct Glyph {
    uint16_t x = 0, y = 0;           // top-left texel in the atlas
    uint16_t width = 0, height = 0;  // 0 x 0 for characters with no ink
    int16_t left = 0, top = 0;       // bitmap offset from the pen, y up from the baseline
    int16_t advance = 0;             // whole pixels
};

struct GlyphAtlas {
    uint32_t width = 0, height = 0;  // powers of two
    std::vector<uint8_t> coverage;   // width x height, 255 = fully covered
    std::array<Glyph, 256> glyphs;   // by Windows-1252 byte
    int ascent = 0, descent = 0;     // pixels above and below the baseline
    int underlineOffset = 0;         // pixels below the baseline
    int underlineThickness = 1;
    // A 2 x 2 fully covered block, drawn stretched for underlines.
    uint16_t solidX = 0, solidY = 0;

    int lineHeight() const { return ascent + descent; }
};

// False when FreeType cannot open the file or size its face.
bool RasteriseGlyphAtlas(const FontFile& file, const FontDescription& description,
                         GlyphAtlas& atlas);

}  // namespace gfx
