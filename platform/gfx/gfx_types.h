// The vocabulary of the device layer: a fixed-function, Direct3D 8 shaped
// model (formats, render and texture-stage states, lights, materials,
// viewports) with Direct3D's numeric codes, so that the engine above it is
// written in one device's terms whatever backend draws.
#pragma once

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace gfx {

// A row-vector, left-handed matrix (a point transforms as v x M). Its memory
// is that of a GLM column-major matrix holding the column-vector form, so the
// GLM builders below can fill it directly.
using Matrix = glm::mat4;
using Vector3 = glm::vec3;

struct Quaternion {
    float x = 0, y = 0, z = 0, w = 1;
};

// The X11 window the device draws into.
using WindowHandle = unsigned long;

enum class Result : uint8_t {
    Ok,
    DeviceLost,      // lost, cannot be reset yet
    DeviceNotReset,  // lost, ready to be reset
    OutOfVideoMemory,
    OutOfMemory,
    InvalidCall,
    NotAvailable,
};

constexpr uint32_t MakeFourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

enum Format : uint32_t {
    kFormatUnknown = 0,
    kFormatR8G8B8 = 20,
    kFormatA8R8G8B8 = 21,
    kFormatX8R8G8B8 = 22,
    kFormatR5G6B5 = 23,
    kFormatX1R5G5B5 = 24,
    kFormatA1R5G5B5 = 25,
    kFormatA4R4G4B4 = 26,
    kFormatR3G3B2 = 27,
    kFormatA8 = 28,
    kFormatA8R3G3B2 = 29,
    kFormatX4R4G4B4 = 30,
    kFormatA2B10G10R10 = 31,
    kFormatG16R16 = 34,
    kFormatA8P8 = 40,
    kFormatP8 = 41,
    kFormatL8 = 50,
    kFormatA8L8 = 51,
    kFormatA4L4 = 52,
    kFormatV8U8 = 60,
    kFormatL6V5U5 = 61,
    kFormatX8L8V8U8 = 62,
    kFormatQ8W8V8U8 = 63,
    kFormatV16U16 = 64,
    kFormatW11V11U10 = 65,
    kFormatA2W10V10U10 = 67,
    kFormatUYVY = MakeFourCC('U', 'Y', 'V', 'Y'),
    kFormatYUY2 = MakeFourCC('Y', 'U', 'Y', '2'),
    kFormatDXT1 = MakeFourCC('D', 'X', 'T', '1'),
    kFormatDXT2 = MakeFourCC('D', 'X', 'T', '2'),
    kFormatDXT3 = MakeFourCC('D', 'X', 'T', '3'),
    kFormatDXT4 = MakeFourCC('D', 'X', 'T', '4'),
    kFormatDXT5 = MakeFourCC('D', 'X', 'T', '5'),
    kFormatD16Lockable = 70,
    kFormatD32 = 71,
    kFormatD15S1 = 73,
    kFormatD24S8 = 75,
    kFormatD16 = 80,
    kFormatD24X8 = 77,
    kFormatD24X4S4 = 79,
    kFormatVertexData = 100,
    kFormatIndex16 = 101,
    kFormatIndex32 = 102,
};

enum RenderState : uint32_t {
    kRsZEnable = 7,
    kRsFillMode = 8,
    kRsShadeMode = 9,
    kRsZWriteEnable = 14,
    kRsAlphaTestEnable = 15,
    kRsSrcBlend = 19,
    kRsDestBlend = 20,
    kRsCullMode = 22,
    kRsZFunc = 23,
    kRsAlphaRef = 24,
    kRsAlphaFunc = 25,
    kRsDitherEnable = 26,
    kRsAlphaBlendEnable = 27,
    kRsFogEnable = 28,
    kRsSpecularEnable = 29,
    kRsFogColor = 34,
    kRsFogTableMode = 35,
    kRsFogStart = 36,  // float bits
    kRsFogEnd = 37,    // float bits
    kRsFogDensity = 38,
    kRsZBias = 47,
    kRsStencilEnable = 52,
    kRsStencilFail = 53,
    kRsStencilZFail = 54,
    kRsStencilPass = 55,
    kRsStencilFunc = 56,
    kRsStencilRef = 57,
    kRsStencilMask = 58,
    kRsStencilWriteMask = 59,
    kRsTextureFactor = 60,
    kRsLighting = 137,
    kRsAmbient = 139,
    kRsLocalViewer = 142,
    kRsNormalizeNormals = 143,
    kRsClipPlaneEnable = 152,
    kRsColorWriteEnable = 168,
    kRenderStateCount = 256,
};

enum StageState : uint32_t {
    kTssColorOp = 1,
    kTssColorArg1 = 2,
    kTssColorArg2 = 3,
    kTssAlphaOp = 4,
    kTssAlphaArg1 = 5,
    kTssAlphaArg2 = 6,
    kTssTexCoordIndex = 11,
    kTssAddressU = 13,
    kTssAddressV = 14,
    kTssMagFilter = 16,
    kTssMinFilter = 17,
    kTssMipFilter = 18,
    kTssMaxMipLevel = 20,
    kTssMaxAnisotropy = 21,
    kStageStateCount = 32,
};

constexpr uint32_t kStageCount = 2;

enum TextureOp : uint32_t {
    kTopDisable = 1,
    kTopSelectArg1 = 2,
    kTopSelectArg2 = 3,
    kTopModulate = 4,
    kTopModulate2x = 5,
    kTopAdd = 7,
};
enum TextureArg : uint32_t { kTaDiffuse = 0, kTaCurrent = 1, kTaTexture = 2, kTaTFactor = 3 };
enum TextureFilter : uint32_t {
    kTexfNone = 0,
    kTexfPoint = 1,
    kTexfLinear = 2,
    kTexfAnisotropic = 3
};
enum TextureAddress : uint32_t { kTaddressWrap = 1, kTaddressMirror = 2, kTaddressClamp = 3 };
enum Blend : uint32_t {
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSrcColor = 3,
    kBlendInvSrcColor = 4,
    kBlendSrcAlpha = 5,
    kBlendInvSrcAlpha = 6,
    kBlendDestAlpha = 7,
    kBlendInvDestAlpha = 8,
    kBlendDestColor = 9,
    kBlendInvDestColor = 10,
};
enum Compare : uint32_t {
    kCmpNever = 1,
    kCmpLess = 2,
    kCmpEqual = 3,
    kCmpLessEqual = 4,
    kCmpGreater = 5,
    kCmpNotEqual = 6,
    kCmpGreaterEqual = 7,
    kCmpAlways = 8,
};
enum Cull : uint32_t { kCullNone = 1, kCullCW = 2, kCullCCW = 3 };
enum Fill : uint32_t { kFillPoint = 1, kFillWireframe = 2, kFillSolid = 3 };
enum Shade : uint32_t { kShadeFlat = 1, kShadeGouraud = 2 };
enum StencilOp : uint32_t {
    kStencilKeep = 1,
    kStencilZero = 2,
    kStencilReplace = 3,
    kStencilIncrSat = 4,
    kStencilDecrSat = 5,
    kStencilInvert = 6,
    kStencilIncr = 7,
    kStencilDecr = 8,
};
enum ZBuffer : uint32_t { kZbFalse = 0, kZbTrue = 1, kZbUseW = 2 };
enum FogMode : uint32_t { kFogNone = 0, kFogExp = 1, kFogExp2 = 2, kFogLinear = 3 };

enum TransformState : uint32_t { kTsView = 2, kTsProjection = 3, kTsWorld = 256 };

enum ClearFlags : uint32_t { kClearTarget = 1, kClearZBuffer = 2, kClearStencil = 4 };

enum PrimitiveType : uint32_t {
    kPtPointList = 1,
    kPtLineList = 2,
    kPtLineStrip = 3,
    kPtTriangleList = 4,
    kPtTriangleStrip = 5,
    kPtTriangleFan = 6,
};

// Flexible vertex format bits: which fields a vertex carries, in this order.
enum VertexFormat : uint32_t {
    kFvfXyz = 0x002,
    kFvfXyzRhw = 0x004,
    kFvfNormal = 0x010,
    kFvfDiffuse = 0x040,
    kFvfSpecular = 0x080,
    kFvfTex1 = 0x100,
    kFvfTex2 = 0x200,
};
// Bytes of one vertex of the format.
uint32_t VertexStride(uint32_t fvf);
// Vertices (or indices) a number of primitives of a type takes.
uint32_t VerticesOf(PrimitiveType type, uint32_t primitiveCount);

struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
};

struct Material {
    ColorValue diffuse, ambient, specular, emissive;
    float power = 0;
};

enum LightType : uint32_t { kLightPoint = 1, kLightSpot = 2, kLightDirectional = 3 };

struct Light {
    LightType type = kLightDirectional;
    ColorValue diffuse, specular, ambient;
    Vector3 position{0, 0, 0};
    Vector3 direction{0, 0, 1};
    float range = 0, falloff = 0;
    float attenuation0 = 0, attenuation1 = 0, attenuation2 = 0;
    float theta = 0, phi = 0;
};

struct Viewport {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    float minZ = 0, maxZ = 1;
};

enum VertexProcessing : uint8_t { kMixedVertexProcessing, kSoftwareVertexProcessing };

struct PresentParameters {
    WindowHandle window = 0;
    bool windowed = true;
    uint32_t width = 0, height = 0;  // 0 = the window's size
    Format backBufferFormat = kFormatUnknown;
    bool autoDepthStencil = true;
    Format depthStencilFormat = kFormatUnknown;
    bool verticalSync = false;
};

// What a created device can do.
struct Caps {
    enum RasterCaps : uint32_t { kWBuffer = 1u << 0, kZBias = 1u << 1, kAnisotropy = 1u << 2 };
    uint32_t rasterCaps = 0;
    uint32_t availableTextureMemory = 0;  // bytes
    uint32_t maxTextureSize = 0;
    uint32_t maxAnisotropy = 1;
};

inline uint32_t FloatBits(float f) {
    uint32_t u;
    __builtin_memcpy(&u, &f, sizeof u);
    return u;
}
inline float BitsFloat(uint32_t u) {
    float f;
    __builtin_memcpy(&f, &u, sizeof f);
    return f;
}

}  // namespace gfx
