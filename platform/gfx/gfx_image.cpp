#include "platform/gfx/gfx_image.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <new>

#include "platform/gfx/gfx_formats.h"
#include "platform/gfx/jpeg_tables.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace gfx {

namespace {

// An RGBA8 picture, rows top-down.
struct Picture {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

// Halves a picture (never below 1 x 1), averaging 2 x 2 blocks or keeping
// the top-left texel of each.
Picture Halve(const Picture& in, bool point) {
    Picture out;
    out.width = in.width > 1 ? in.width / 2 : 1;
    out.height = in.height > 1 ? in.height / 2 : 1;
    out.rgba.resize(size_t(out.width) * out.height * 4);
    for (uint32_t y = 0; y < out.height; ++y) {
        for (uint32_t x = 0; x < out.width; ++x) {
            const uint32_t x0 = std::min(x * 2, in.width - 1),
                           x1 = std::min(x * 2 + 1, in.width - 1);
            const uint32_t y0 = std::min(y * 2, in.height - 1),
                           y1 = std::min(y * 2 + 1, in.height - 1);
            for (int c = 0; c < 4; ++c) {
                auto at = [&](uint32_t px, uint32_t py) {
                    return uint32_t(in.rgba[(size_t(py) * in.width + px) * 4 + c]);
                };
                const uint32_t value =
                    point ? at(x0, y0)
                          : (at(x0, y0) + at(x1, y0) + at(x0, y1) + at(x1, y1) + 2) / 4;
                out.rgba[(size_t(y) * out.width + x) * 4 + c] = uint8_t(value);
            }
        }
    }
    return out;
}

bool WriteLevel(Texture& texture, uint32_t level, const Picture& picture, Format format) {
    LockedRect locked;
    if (!texture.LockRect(level, locked, 0)) return false;
    const uint32_t bytes = FormatBits(format) / 8;
    for (uint32_t y = 0; y < picture.height; ++y) {
        uint8_t* row = locked.bits + size_t(y) * locked.pitch;
        for (uint32_t x = 0; x < picture.width; ++x) {
            const uint8_t* p = &picture.rgba[(size_t(y) * picture.width + x) * 4];
            const uint32_t packed = PackTexel(format, {p[0], p[1], p[2], p[3]});
            std::memcpy(row + size_t(x) * bytes, &packed, bytes);  // little-endian: low bytes first
        }
    }
    texture.UnlockRect(level);
    return true;
}

}  // namespace

namespace {

Result DecodeIntoTexture(Device& device, const void* data, uint32_t size,
                         const ImageLoadSettings& settings, std::unique_ptr<Texture>& texture) {
    int width = 0, height = 0, channels = 0;
    // A picture larger than the device takes would be refused after
    // decoding; a few damaged header bytes can claim one of hundreds of
    // megabytes, so the size is checked before anything is decoded.
    if (!JpegHuffmanTablesFit(static_cast<const uint8_t*>(data), size)) return Result::InvalidCall;
    const uint32_t largest = device.GetCaps().maxTextureSize;
    if (!stbi_info_from_memory(static_cast<const stbi_uc*>(data), int(size), &width, &height,
                               &channels) ||
        uint32_t(width) > largest || uint32_t(height) > largest)
        return Result::InvalidCall;
    stbi_uc* pixels = stbi_load_from_memory(static_cast<const stbi_uc*>(data), int(size), &width,
                                            &height, &channels, 4);
    if (!pixels) return Result::InvalidCall;
    Picture picture;
    picture.width = uint32_t(width);
    picture.height = uint32_t(height);
    picture.rgba.assign(pixels, pixels + size_t(width) * height * 4);
    stbi_image_free(pixels);

    if (settings.colorKey != 0) {
        const Texel key = UnpackTexel(kFormatA8R8G8B8, settings.colorKey);
        for (size_t i = 0; i < picture.rgba.size(); i += 4) {
            uint8_t* p = &picture.rgba[i];
            if (p[0] == key.r && p[1] == key.g && p[2] == key.b && p[3] == key.a)
                std::memset(p, 0, 4);
        }
    }

    const bool hasAlpha = channels == 2 || channels == 4;
    const Format format = settings.format != kFormatUnknown ? settings.format
                          : hasAlpha                        ? kFormatA8R8G8B8
                                                            : kFormatX8R8G8B8;
    if (!CanPackTexel(format)) return Result::InvalidCall;
    const uint32_t levels = settings.mipLevels <= 0 ? 0 : uint32_t(settings.mipLevels);

    std::unique_ptr<Texture> created;
    const Result result =
        device.CreateTexture(picture.width, picture.height, levels, format, created);
    if (result != Result::Ok) return result;
    const bool point = settings.mipFilter == kFilterPoint || settings.mipFilter == kFilterNone;
    for (uint32_t level = 0; level < created->LevelCount(); ++level) {
        if (level > 0) picture = Halve(picture, point);
        if (!WriteLevel(*created, level, picture, format)) return Result::InvalidCall;
    }
    texture = std::move(created);
    return Result::Ok;
}

}  // namespace

Result CreateTextureFromMemory(Device& device, const void* data, uint32_t size,
                               const ImageLoadSettings& settings,
                               std::unique_ptr<Texture>& texture) {
    if (!data || size == 0 || size > INT32_MAX) return Result::InvalidCall;
    try {
        return DecodeIntoTexture(device, data, size, settings, texture);
    } catch (const std::bad_alloc&) {
        return Result::OutOfMemory;
    }
}

Result CreateTextureFromFile(Device& device, const char* path, const ImageLoadSettings& settings,
                             std::unique_ptr<Texture>& texture) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Result::InvalidCall;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    return CreateTextureFromMemory(device, bytes.data(), uint32_t(bytes.size()), settings, texture);
}

bool SaveTextureToBmp(const Texture& texture, const char* path) {
    LevelDesc desc;
    if (!texture.GetLevelDesc(0, desc) || !CanPackTexel(desc.format)) return false;
    const uint32_t bytes = FormatBits(desc.format) / 8;
    std::vector<uint8_t> rgb(size_t(desc.width) * desc.height * 3);
    for (uint32_t y = 0; y < desc.height; ++y) {
        const uint8_t* row = texture.LevelBits(0) + size_t(y) * texture.LevelPitch(0);
        for (uint32_t x = 0; x < desc.width; ++x) {
            uint32_t value = 0;
            std::memcpy(&value, row + size_t(x) * bytes, bytes);
            const Texel t = UnpackTexel(desc.format, value);
            uint8_t* out = &rgb[(size_t(y) * desc.width + x) * 3];
            out[0] = t.r, out[1] = t.g, out[2] = t.b;
        }
    }
    return stbi_write_bmp(path, int(desc.width), int(desc.height), 3, rgb.data()) != 0;
}

bool SaveArgbToPng(const char* path, const std::vector<uint32_t>& argb, uint32_t width,
                   uint32_t height) {
    if (argb.size() < size_t(width) * height) return false;
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        rgb[i * 3] = uint8_t(argb[i] >> 16), rgb[i * 3 + 1] = uint8_t(argb[i] >> 8),
                rgb[i * 3 + 2] = uint8_t(argb[i]);
    }
    return stbi_write_png(path, int(width), int(height), 3, rgb.data(), int(width * 3)) != 0;
}

}  // namespace gfx
