// The game's bitmap font: a 16 x 16 grid of outlined glyphs, cell c holding
// the Windows-1252 character c, and the table of each character's advance.
#pragma once

#include <array>

#include "tools/assetgen/image.h"

namespace assetgen {

struct BitmapFont {
    Image glyphs;                           // "fonte01.tga"
    std::array<unsigned char, 256> widths;  // "fonte01.dat", in texels of glyphs
};

BitmapFont MakeBitmapFont();

}  // namespace assetgen
