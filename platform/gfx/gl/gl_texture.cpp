#include "platform/gfx/gl/gl_texture.h"

#include <vector>

#include "platform/gfx/gl/gl_context.h"

namespace gfx {

bool GlPixelFormatOf(Format format, GlPixelFormat& pixel) {
    // Direct3D names channels from the most significant bit down and stores
    // texels little-endian, which OpenGL spells as the _REV packed types over
    // BGRA. The X formats keep their unused bits out of the internal format
    // so they read as opaque.
    switch (format) {
        case kFormatA8R8G8B8:
            pixel = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
            return true;
        case kFormatX8R8G8B8:
            pixel = {GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
            return true;
        case kFormatR8G8B8:
            pixel = {GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE};
            return true;
        case kFormatR5G6B5:
            pixel = {GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
            return true;
        // The scene converts every picture to this format, and the software
        // renderer samples 8-bit texels about a third faster than 16-bit
        // ones: kept widened to bytes, which holds the same values.
        case kFormatA1R5G5B5:
            pixel = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
            return true;
        case kFormatX1R5G5B5:
            pixel = {GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
            return true;
        case kFormatA4R4G4B4:
            pixel = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
            return true;
        case kFormatX4R4G4B4:
            pixel = {GL_RGB4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
            return true;
        case kFormatR3G3B2:
            pixel = {GL_R3_G3_B2, GL_RGB, GL_UNSIGNED_BYTE_3_3_2};
            return true;
        // OpenGL has no type for it; its texels are widened on the way (below).
        case kFormatA8R3G3B2:
            pixel = {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE};
            return true;
        case kFormatA8:
            pixel = {GL_ALPHA8, GL_ALPHA, GL_UNSIGNED_BYTE};
            return true;
        case kFormatL8:
            pixel = {GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE};
            return true;
        case kFormatA8L8:
            pixel = {GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE};
            return true;
        default:
            return false;
    }
}

GlTexture::~GlTexture() {
    if (name_) glDeleteTextures(1, &name_);
}

bool GlTexture::Create(uint32_t width, uint32_t height, uint32_t levels, Format format) {
    if (!GlPixelFormatOf(format, pixel_) || !Allocate(width, height, levels, format)) return false;
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Only the levels that exist count, so a short chain is complete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(LevelCount() - 1));
    for (uint32_t level = 0; level < LevelCount(); ++level) Upload(level);
    return true;
}

namespace {

// A8R3G3B2 texels as RGBA bytes, each colour field's bits repeated down
// the byte as hardware reads them.
std::vector<uint8_t> WidenA8R3G3B2(const uint8_t* bits, uint32_t count) {
    std::vector<uint8_t> rgba(size_t(count) * 4);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t v = uint32_t(bits[i * 2]) | uint32_t(bits[i * 2 + 1]) << 8;
        const uint32_t r = v >> 5 & 7, g = v >> 2 & 7, b = v & 3;
        rgba[i * 4] = uint8_t(r << 5 | r << 2 | r >> 1);
        rgba[i * 4 + 1] = uint8_t(g << 5 | g << 2 | g >> 1);
        rgba[i * 4 + 2] = uint8_t(b * 85);
        rgba[i * 4 + 3] = uint8_t(v >> 8);
    }
    return rgba;
}

}  // namespace

void GlTexture::Upload(uint32_t level) {
    LevelDesc desc;
    GetLevelDesc(level, desc);
    glBindTexture(GL_TEXTURE_2D, name_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<uint8_t> widened;
    if (desc.format == kFormatA8R3G3B2)
        widened = WidenA8R3G3B2(LevelBits(level), desc.width * desc.height);
    glTexImage2D(GL_TEXTURE_2D, GLint(level), pixel_.internalFormat, GLsizei(desc.width),
                 GLsizei(desc.height), 0, pixel_.format, pixel_.type,
                 widened.empty() ? LevelBits(level) : widened.data());
    // The device rebinds what its stages hold before the next draw.
    glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace gfx
