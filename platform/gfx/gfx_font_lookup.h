// Finding the installed font file that stands for a font description, the
// way Windows picks a font for a LOGFONT: the face name when it is
// installed, fontconfig's substitute for it otherwise.
#pragma once

#include <optional>
#include <string>

#include "platform/gfx/gfx_font_description.h"

namespace gfx {

struct FontFile {
    std::string path;
    int index = 0;  // face within the file
    // The file lacks the weight or slant asked for; the rasteriser makes them.
    bool embolden = false;
    bool slant = false;
};

// The best match among the fonts fontconfig knows (read afresh, so its
// environment is honoured), or none when it knows no font at all. Fixed
// pitch keeps the face only when it is monospaced and takes the system's
// monospace font otherwise.
std::optional<FontFile> FindFontFile(const FontDescription& description);

// The first face of a font file of one's own, read where it lies without
// installing it (fontconfig could not forget a single added file again),
// or none when it holds no font.
std::optional<FontFile> FontFileAt(const std::string& path, const FontDescription& description);

}  // namespace gfx
