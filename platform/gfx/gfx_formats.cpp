#include "platform/gfx/gfx_formats.h"

namespace gfx {

namespace {

struct FormatInfo {
    uint32_t format;
    const char* name;
    uint8_t bits;
};

constexpr FormatInfo kFormats[] = {
    {kFormatR8G8B8, "R8G8B8", 24},
    {kFormatA8R8G8B8, "A8R8G8B8", 32},
    {kFormatX8R8G8B8, "X8R8G8B8", 32},
    {kFormatR5G6B5, "R5G6B5", 16},
    {kFormatX1R5G5B5, "X1R5G5B5", 16},
    {kFormatA1R5G5B5, "A1R5G5B5", 16},
    {kFormatA4R4G4B4, "A4R4G4B4", 16},
    {kFormatA8, "A8", 8},
    {kFormatR3G3B2, "R3G3B2", 8},
    {kFormatA8R3G3B2, "A8R3G3B2", 16},
    {kFormatX4R4G4B4, "X4R4G4B4", 16},
    {kFormatA2B10G10R10, "A2B10G10R10", 32},
    {kFormatG16R16, "G16R16", 32},
    // A8P8 counts as 8 bits here, as it always has in the statistics.
    {kFormatA8P8, "A8P8", 8},
    {kFormatP8, "P8", 8},
    {kFormatL8, "L8", 8},
    {kFormatA8L8, "A8L8", 16},
    {kFormatA4L4, "A4L4", 8},
    {kFormatV8U8, "V8U8", 16},
    {kFormatQ8W8V8U8, "Q8W8V8U8", 32},
    {kFormatV16U16, "V16U16", 32},
    {kFormatW11V11U10, "W11V11U10", 32},
    {kFormatL6V5U5, "L6V5U5", 16},
    {kFormatX8L8V8U8, "X8L8V8U8", 32},
    {kFormatA2W10V10U10, "A2W10V10U10", 32},
    {kFormatUYVY, "UYVY", 0},
    {kFormatYUY2, "YUY2", 0},
    {kFormatDXT1, "DXT1", 0},
    {kFormatDXT2, "DXT2", 0},
    {kFormatDXT3, "DXT3", 0},
    {kFormatDXT4, "DXT4", 0},
    {kFormatDXT5, "DXT5", 0},
    {kFormatVertexData, "VERTEXDATA", 0},
    {kFormatIndex16, "INDEX16", 16},
    {kFormatIndex32, "INDEX32", 32},
    {kFormatD16Lockable, "D16_LOCKABLE", 16},
    {kFormatD32, "D32", 32},
    {kFormatD15S1, "D15S1", 16},
    {kFormatD24S8, "D24S8", 32},
    {kFormatD16, "D16", 16},
    {kFormatD24X8, "D24X8", 32},
    {kFormatD24X4S4, "D24X4S4", 32},
};

const FormatInfo* Find(uint32_t format) {
    for (const FormatInfo& info : kFormats) {
        if (info.format == format) return &info;
    }
    return nullptr;
}

uint32_t PackR3G3B2(Texel t) {
    return uint32_t(t.r >> 5) << 5 | uint32_t(t.g >> 5) << 2 | uint32_t(t.b >> 6);
}
uint32_t PackR4G4B4(Texel t) {
    return uint32_t(t.r >> 4) << 8 | uint32_t(t.g >> 4) << 4 | uint32_t(t.b >> 4);
}
uint32_t PackR5G5B5(Texel t) {
    return uint32_t(t.r >> 3) << 10 | uint32_t(t.g >> 3) << 5 | uint32_t(t.b >> 3);
}

Texel UnpackR3G3B2(uint32_t v, uint8_t a) {
    return {uint8_t((v >> 5 & 7) << 5), uint8_t((v >> 2 & 7) << 5), uint8_t((v & 3) << 6), a};
}
Texel UnpackR4G4B4(uint32_t v, uint8_t a) {
    return {uint8_t((v >> 8 & 15) << 4), uint8_t((v >> 4 & 15) << 4), uint8_t((v & 15) << 4), a};
}
Texel UnpackR5G5B5(uint32_t v, uint8_t a) {
    return {uint8_t((v >> 10 & 31) << 3), uint8_t((v >> 5 & 31) << 3), uint8_t((v & 31) << 3), a};
}

}  // namespace

const char* FormatName(uint32_t format) {
    const FormatInfo* info = Find(format);
    return info ? info->name : "UNKNOWN";
}

uint8_t FormatBits(uint32_t format) {
    const FormatInfo* info = Find(format);
    return info ? info->bits : 0;
}

bool IsDepthFormat(uint32_t format) {
    switch (format) {
        case kFormatD16Lockable:
        case kFormatD32:
        case kFormatD15S1:
        case kFormatD24S8:
        case kFormatD16:
        case kFormatD24X8:
        case kFormatD24X4S4:
            return true;
        default:
            return false;
    }
}

uint8_t FormatStencilBits(uint32_t format) {
    switch (format) {
        case kFormatD15S1:
            return 1;
        case kFormatD24S8:
            return 8;
        case kFormatD24X4S4:
            return 4;
        default:
            return 0;
    }
}

uint8_t FormatDepthBits(uint32_t format) {
    switch (format) {
        case kFormatD16Lockable:
        case kFormatD16:
            return 16;
        case kFormatD15S1:
            return 15;
        case kFormatD32:
            return 32;
        case kFormatD24S8:
        case kFormatD24X8:
        case kFormatD24X4S4:
            return 24;
        default:
            return 0;
    }
}

bool CanPackTexel(uint32_t format) {
    switch (format) {
        case kFormatR3G3B2:
        case kFormatA8R3G3B2:
        case kFormatA4R4G4B4:
        case kFormatX4R4G4B4:
        case kFormatA1R5G5B5:
        case kFormatX1R5G5B5:
        case kFormatR5G6B5:
        case kFormatA8R8G8B8:
        case kFormatX8R8G8B8:
            return true;
        default:
            return false;
    }
}

uint32_t PackTexel(uint32_t format, Texel t) {
    switch (format) {
        case kFormatR3G3B2:
            return PackR3G3B2(t);
        case kFormatA8R3G3B2:
            return uint32_t(t.a) << 8 | PackR3G3B2(t);
        case kFormatA4R4G4B4:
        case kFormatX4R4G4B4:
            return uint32_t(t.a >> 4) << 12 | PackR4G4B4(t);
        case kFormatA1R5G5B5:
        case kFormatX1R5G5B5:
            return uint32_t(t.a >> 7) << 15 | PackR5G5B5(t);
        case kFormatR5G6B5:
            return uint32_t(t.r >> 3) << 11 | uint32_t(t.g >> 2) << 5 | uint32_t(t.b >> 3);
        case kFormatA8R8G8B8:
        case kFormatX8R8G8B8:
            return uint32_t(t.a) << 24 | uint32_t(t.r) << 16 | uint32_t(t.g) << 8 | t.b;
        default:
            return 0;
    }
}

Texel UnpackTexel(uint32_t format, uint32_t v) {
    switch (format) {
        case kFormatR3G3B2:
            return UnpackR3G3B2(v, 255);
        case kFormatA8R3G3B2:
            return UnpackR3G3B2(v, uint8_t(v >> 8));
        case kFormatA4R4G4B4:
            return UnpackR4G4B4(v, uint8_t((v >> 12 & 15) << 4));
        case kFormatX4R4G4B4:
            return UnpackR4G4B4(v, 255);
        case kFormatA1R5G5B5:
            return UnpackR5G5B5(v, uint8_t((v >> 15 & 1) << 7));
        case kFormatX1R5G5B5:
            return UnpackR5G5B5(v, 255);
        case kFormatR5G6B5:
            return {uint8_t((v >> 11 & 31) << 3), uint8_t((v >> 5 & 63) << 2),
                    uint8_t((v & 31) << 3), 255};
        case kFormatA8R8G8B8:
            return {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), uint8_t(v >> 24)};
        case kFormatX8R8G8B8:
            return {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), 255};
        default:
            return {};
    }
}

uint32_t VertexStride(uint32_t fvf) {
    uint32_t stride = 0;
    if (fvf & kFvfXyz) stride += 12;
    if (fvf & kFvfXyzRhw) stride += 16;
    if (fvf & kFvfNormal) stride += 12;
    if (fvf & kFvfDiffuse) stride += 4;
    if (fvf & kFvfSpecular) stride += 4;
    if (fvf & kFvfTex1) stride += 8;
    if (fvf & kFvfTex2) stride += 16;
    return stride;
}

uint32_t VerticesOf(PrimitiveType type, uint32_t primitiveCount) {
    switch (type) {
        case kPtPointList:
            return primitiveCount;
        case kPtLineList:
            return primitiveCount * 2;
        case kPtLineStrip:
            return primitiveCount + 1;
        case kPtTriangleStrip:
        case kPtTriangleFan:
            return primitiveCount + 2;
        default:
            return primitiveCount * 3;
    }
}

}  // namespace gfx
