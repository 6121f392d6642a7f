// Image files in and out of textures: decoding TGA, BMP and JPG (stb_image)
// into a managed texture with the texture list's loader settings, and
// writing a texture or a read-back frame to disk.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/gfx_device.h"

namespace gfx {

// Resampling filters, by their long-standing codes.
enum ImageFilter : uint32_t {
    kFilterNone = 1,
    kFilterPoint = 2,
    kFilterLinear = 3,
    kFilterTriangle = 4,
    kFilterBox = 5,
};

struct ImageLoadSettings {
    int32_t mipLevels = -1;          // -1 or 0: a full chain
    Format format = kFormatUnknown;  // unknown: the file's own (A8R8G8B8 with alpha, else X8R8G8B8)
    uint32_t filter = kFilterTriangle;
    uint32_t mipFilter = kFilterBox;  // point keeps every second texel, others average
    uint32_t colorKey = 0;            // A8R8G8B8 made transparent black; 0 = none
};

// The texture's size is the image's. InvalidCall for undecodable data or a
// format texels cannot be written in, OutOfMemory when the heap refuses.
Result CreateTextureFromMemory(Device& device, const void* data, uint32_t size,
                               const ImageLoadSettings& settings,
                               std::unique_ptr<Texture>& texture);
Result CreateTextureFromFile(Device& device, const char* path, const ImageLoadSettings& settings,
                             std::unique_ptr<Texture>& texture);

// Level 0 as a 24-bit BMP.
bool SaveTextureToBmp(const Texture& texture, const char* path);
// Top-down A8R8G8B8 rows as an RGB PNG.
bool SaveArgbToPng(const char* path, const std::vector<uint32_t>& argb, uint32_t width,
                   uint32_t height);

}  // namespace gfx
