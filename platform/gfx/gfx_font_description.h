// What a font is asked for by, after Windows' LOGFONT.
#pragma once

#include <cstdint>
#include <string>

namespace gfx {

struct FontDescription {
    int32_t height = 0;     // pixels: > 0 the cell, < 0 the em, 0 a default
    uint32_t weight = 400;  // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;
    std::string faceName;
};

}  // namespace gfx
