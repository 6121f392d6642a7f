// Surface formats: their names and sizes, and how one texel of each format
// the texture list writes is packed from and unpacked to 8-bit channels.
#pragma once

#include <cstdint>

#include "platform/gfx/gfx_types.h"

namespace gfx {

// "UNKNOWN" for a format outside the table.
const char* FormatName(uint32_t format);
// Bits per pixel; 0 for block, video and unknown formats.
uint8_t FormatBits(uint32_t format);
// True for the depth and depth-stencil formats.
bool IsDepthFormat(uint32_t format);
// Stencil bits of a depth format.
uint8_t FormatStencilBits(uint32_t format);
// Depth bits of a depth format.
uint8_t FormatDepthBits(uint32_t format);

struct Texel {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

// True when PackTexel and UnpackTexel know the format.
bool CanPackTexel(uint32_t format);
// The stored value of an 8-bit colour in the format (0 for other formats).
uint32_t PackTexel(uint32_t format, Texel texel);
// Channels of a stored value, each field moved to the top of its byte
// without replicating bits (a 4-bit 15 reads as 240). Unknown formats and
// formats without alpha read alpha as 255; unknown formats answer all zero.
Texel UnpackTexel(uint32_t format, uint32_t value);

}  // namespace gfx
