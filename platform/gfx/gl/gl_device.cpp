// The OpenGL device's life cycle (creation, reset, scenes, present and
// clear) and its render states with their defaults. The conventions these
// follow are indexed in gl_device_impl.h.
#include "platform/gfx/gl/gl_device.h"

#include <unistd.h>

#include <algorithm>

#include "platform/gfx/gl/gl_context.h"
#include "platform/gfx/gl/gl_device_impl.h"

namespace gfx {

namespace {

GLenum BlendOf(uint32_t blend) {
    switch (blend) {
        case kBlendZero:
            return GL_ZERO;
        case kBlendOne:
            return GL_ONE;
        case kBlendSrcColor:
            return GL_SRC_COLOR;
        case kBlendInvSrcColor:
            return GL_ONE_MINUS_SRC_COLOR;
        case kBlendSrcAlpha:
            return GL_SRC_ALPHA;
        case kBlendInvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case kBlendDestAlpha:
            return GL_DST_ALPHA;
        case kBlendInvDestAlpha:
            return GL_ONE_MINUS_DST_ALPHA;
        case kBlendDestColor:
            return GL_DST_COLOR;
        case kBlendInvDestColor:
            return GL_ONE_MINUS_DST_COLOR;
        default:
            return GL_ONE;
    }
}

GLenum CompareOf(uint32_t compare) {
    switch (compare) {
        case kCmpNever:
            return GL_NEVER;
        case kCmpLess:
            return GL_LESS;
        case kCmpEqual:
            return GL_EQUAL;
        case kCmpLessEqual:
            return GL_LEQUAL;
        case kCmpGreater:
            return GL_GREATER;
        case kCmpNotEqual:
            return GL_NOTEQUAL;
        case kCmpGreaterEqual:
            return GL_GEQUAL;
        default:
            return GL_ALWAYS;
    }
}

GLenum StencilOpOf(uint32_t op) {
    switch (op) {
        case kStencilZero:
            return GL_ZERO;
        case kStencilReplace:
            return GL_REPLACE;
        case kStencilIncrSat:
            return GL_INCR;
        case kStencilDecrSat:
            return GL_DECR;
        case kStencilInvert:
            return GL_INVERT;
        case kStencilIncr:
            return GL_INCR_WRAP;
        case kStencilDecr:
            return GL_DECR_WRAP;
        default:
            return GL_KEEP;
    }
}

struct DefaultState {
    uint32_t state, value;
};

constexpr DefaultState kDefaultRenderStates[] = {
    {kRsZEnable, kZbTrue},
    {kRsFillMode, kFillSolid},
    {kRsShadeMode, kShadeGouraud},
    {kRsZWriteEnable, 1},
    {kRsAlphaTestEnable, 0},
    {kRsSrcBlend, kBlendOne},
    {kRsDestBlend, kBlendZero},
    {kRsCullMode, kCullCCW},
    {kRsZFunc, kCmpLessEqual},
    {kRsAlphaRef, 0},
    {kRsAlphaFunc, kCmpAlways},
    {kRsDitherEnable, 0},
    {kRsAlphaBlendEnable, 0},
    {kRsFogEnable, 0},
    {kRsSpecularEnable, 0},
    {kRsFogColor, 0},
    {kRsFogTableMode, kFogNone},
    {kRsFogStart, 0},
    {kRsFogEnd, 0x3F800000},
    {kRsFogDensity, 0x3F800000},
    {kRsZBias, 0},
    {kRsStencilEnable, 0},
    {kRsStencilFail, kStencilKeep},
    {kRsStencilZFail, kStencilKeep},
    {kRsStencilPass, kStencilKeep},
    {kRsStencilFunc, kCmpAlways},
    {kRsStencilRef, 0},
    {kRsStencilMask, 0xFFFFFFFF},
    {kRsStencilWriteMask, 0xFFFFFFFF},
    {kRsTextureFactor, 0xFFFFFFFF},
    {kRsLighting, 1},
    {kRsAmbient, 0},
    {kRsLocalViewer, 1},
    {kRsNormalizeNormals, 0},
    {kRsClipPlaneEnable, 0},
    {kRsColorWriteEnable, 0xF},
};

}  // namespace

GlDevice::GlDevice(std::shared_ptr<GlContext> context, const PresentParameters& parameters)
    : context_(std::move(context)), parameters_(parameters) {
    caps_.rasterCaps = Caps::kZBias;
    if (epoxy_gl_version() >= 46 || epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic")) {
        caps_.rasterCaps |= Caps::kAnisotropy;
        GLfloat most = 1;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY, &most);
        caps_.maxAnisotropy = uint32_t(most);
    }
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    caps_.maxTextureSize = uint32_t(size);
    // A software rasteriser keeps textures in system memory; report that,
    // within what the capability word can hold.
    const uint64_t bytes = uint64_t(sysconf(_SC_PHYS_PAGES)) * uint64_t(sysconf(_SC_PAGESIZE));
    caps_.availableTextureMemory = uint32_t(std::min<uint64_t>(bytes, 0xFFFu << 20));

    glGenSamplers(GLsizei(kStageCount), samplers_.data());
    glGenTextures(1, &white_);
    glBindTexture(GL_TEXTURE_2D, white_);
    const uint32_t texel = 0xFFFFFFFF;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glFrontFace(GL_CW);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glEnable(GL_SCISSOR_TEST);
    SetDefaults();
}

GlDevice::~GlDevice() {
    glDeleteSamplers(GLsizei(kStageCount), samplers_.data());
    glDeleteTextures(1, &white_);
}

Result GlDevice::TestCooperativeLevel() {
    return Result::Ok;
}

Result GlDevice::Reset(const PresentParameters& parameters) {
    // The drawing area follows the window by itself; a size no viewport can
    // cover is refused before anything changes.
    GLint largest[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    if (parameters.width > uint32_t(largest[0]) || parameters.height > uint32_t(largest[1]))
        return Result::InvalidCall;
    parameters_ = parameters;
    SetDefaults();
    return Result::Ok;
}

Result GlDevice::BeginScene() {
    return Result::Ok;
}

Result GlDevice::EndScene() {
    glFlush();
    return Result::Ok;
}

Result GlDevice::Present() {
    return eglSwapBuffers(context_->display->egl, context_->surface) ? Result::Ok
                                                                     : Result::InvalidCall;
}

Result GlDevice::Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) {
    GLbitfield mask = 0;
    if (flags & kClearTarget) {
        float c[4];
        ColorOf(argb, c);
        glClearColor(c[0], c[1], c[2], c[3]);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & kClearZBuffer) {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & kClearStencil) {
        glClearStencil(GLint(stencil));
        glStencilMask(0xFF);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    glClear(mask);
    // The masks are render states; put them back.
    SetRenderState(kRsColorWriteEnable, renderStates_[kRsColorWriteEnable]);
    SetRenderState(kRsZWriteEnable, renderStates_[kRsZWriteEnable]);
    SetRenderState(kRsStencilWriteMask, renderStates_[kRsStencilWriteMask]);
    return Result::Ok;
}

const Caps& GlDevice::GetCaps() const {
    return caps_;
}

void GlDevice::SetRenderState(RenderState state, uint32_t value) {
    if (state >= kRenderStateCount) return;
    renderStates_[state] = value;
    const auto& rs = renderStates_;
    switch (state) {
        case kRsZEnable:
            Enable(GL_DEPTH_TEST, value != kZbFalse);
            break;
        case kRsFillMode:
            glPolygonMode(GL_FRONT_AND_BACK, value == kFillPoint       ? GL_POINT
                                             : value == kFillWireframe ? GL_LINE
                                                                       : GL_FILL);
            break;
        case kRsShadeMode:
            glShadeModel(value == kShadeFlat ? GL_FLAT : GL_SMOOTH);
            break;
        case kRsZWriteEnable:
            glDepthMask(value ? GL_TRUE : GL_FALSE);
            break;
        case kRsAlphaTestEnable:
            Enable(GL_ALPHA_TEST, value);
            break;
        case kRsAlphaRef:
        case kRsAlphaFunc:
            glAlphaFunc(CompareOf(rs[kRsAlphaFunc]), float(rs[kRsAlphaRef] & 255) / 255.0f);
            break;
        case kRsSrcBlend:
        case kRsDestBlend:
            glBlendFunc(BlendOf(rs[kRsSrcBlend]), BlendOf(rs[kRsDestBlend]));
            break;
        case kRsCullMode:
            Enable(GL_CULL_FACE, value != kCullNone);
            // Front faces are the clockwise ones (see Culling in gl_device_impl.h).
            glCullFace(value == kCullCW ? GL_FRONT : GL_BACK);
            break;
        case kRsZFunc:
            glDepthFunc(CompareOf(value));
            break;
        case kRsDitherEnable:
            Enable(GL_DITHER, value);
            break;
        case kRsAlphaBlendEnable:
            Enable(GL_BLEND, value);
            break;
        case kRsFogEnable:
            Enable(GL_FOG, value);
            break;
        case kRsFogColor: {
            float c[4];
            ColorOf(value, c);
            glFogfv(GL_FOG_COLOR, c);
            break;
        }
        case kRsFogTableMode:
            glFogi(GL_FOG_MODE, value == kFogExp    ? GL_EXP
                                : value == kFogExp2 ? GL_EXP2
                                                    : GL_LINEAR);
            break;
        case kRsFogStart:
            glFogf(GL_FOG_START, BitsFloat(value));
            break;
        case kRsFogEnd:
            glFogf(GL_FOG_END, BitsFloat(value));
            break;
        case kRsFogDensity:
            glFogf(GL_FOG_DENSITY, BitsFloat(value));
            break;
        case kRsSpecularEnable:
            materialDirty_ = true;
            break;
        case kRsZBias:
            Enable(GL_POLYGON_OFFSET_FILL, value != 0);
            glPolygonOffset(0.0f, -float(value));
            break;
        case kRsStencilEnable:
            Enable(GL_STENCIL_TEST, value);
            break;
        case kRsStencilFunc:
        case kRsStencilRef:
        case kRsStencilMask:
            glStencilFunc(CompareOf(rs[kRsStencilFunc]), GLint(rs[kRsStencilRef]),
                          rs[kRsStencilMask]);
            break;
        case kRsStencilFail:
        case kRsStencilZFail:
        case kRsStencilPass:
            glStencilOp(StencilOpOf(rs[kRsStencilFail]), StencilOpOf(rs[kRsStencilZFail]),
                        StencilOpOf(rs[kRsStencilPass]));
            break;
        case kRsStencilWriteMask:
            glStencilMask(value);
            break;
        case kRsTextureFactor:
            stagesDirty_ = true;
            break;
        case kRsLighting:
            Enable(GL_LIGHTING, value);
            break;
        case kRsAmbient: {
            float c[4];
            ColorOf(value, c);
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, c);
            break;
        }
        case kRsLocalViewer:
            glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, value ? GL_TRUE : GL_FALSE);
            break;
        case kRsNormalizeNormals:
            Enable(GL_NORMALIZE, value);
            break;
        case kRsClipPlaneEnable:
            for (uint32_t i = 0; i < kMaxClipPlanes; ++i)
                Enable(GL_CLIP_PLANE0 + i, value & (1u << i));
            break;
        case kRsColorWriteEnable:
            glColorMask(value & 1, value & 2, value & 4, value & 8);
            break;
        default:
            break;
    }
}

uint32_t GlDevice::GetRenderState(RenderState state) const {
    return state < kRenderStateCount ? renderStates_[state] : 0;
}

uint32_t GlDevice::SurfaceWidth() const {
    EGLint w = 0;
    eglQuerySurface(context_->display->egl, context_->surface, EGL_WIDTH, &w);
    return uint32_t(w);
}

uint32_t GlDevice::SurfaceHeight() const {
    EGLint h = 0;
    eglQuerySurface(context_->display->egl, context_->surface, EGL_HEIGHT, &h);
    return uint32_t(h);
}

void GlDevice::SetDefaults() {
    for (const DefaultState& d : kDefaultRenderStates)
        SetRenderState(RenderState(d.state), d.value);
    for (uint32_t stage = 0; stage < kStageCount; ++stage) {
        const bool first = stage == 0;
        SetTextureStageState(stage, kTssColorOp, first ? kTopModulate : kTopDisable);
        SetTextureStageState(stage, kTssColorArg1, kTaTexture);
        SetTextureStageState(stage, kTssColorArg2, kTaCurrent);
        SetTextureStageState(stage, kTssAlphaOp, first ? kTopSelectArg1 : kTopDisable);
        SetTextureStageState(stage, kTssAlphaArg1, kTaTexture);
        SetTextureStageState(stage, kTssAlphaArg2, kTaCurrent);
        SetTextureStageState(stage, kTssTexCoordIndex, stage);
        SetTextureStageState(stage, kTssAddressU, kTaddressWrap);
        SetTextureStageState(stage, kTssAddressV, kTaddressWrap);
        SetTextureStageState(stage, kTssMaxAnisotropy, 1);
        SetTextureStageState(stage, kTssMagFilter, kTexfPoint);
        SetTextureStageState(stage, kTssMinFilter, kTexfPoint);
        SetTextureStageState(stage, kTssMipFilter, kTexfNone);
        SetTextureStageState(stage, kTssMaxMipLevel, 0);
        textures_[stage] = nullptr;
    }
    for (uint32_t i = 0; i < kMaxLights; ++i) LightEnable(i, false);
    SetTransform(kTsProjection, Matrix(1.0f));
    view_ = world_ = Matrix(1.0f);
    material_ = {};
    lightsDirty_ = modelViewDirty_ = materialDirty_ = stagesDirty_ = true;
    SetViewport({0, 0, SurfaceWidth(), SurfaceHeight(), 0, 1});
}

std::unique_ptr<Device> CreateGlDevice(std::shared_ptr<GlContext> context,
                                       const PresentParameters& parameters) {
    // Sampler objects carry the stage states; they are core from 3.3.
    if (epoxy_gl_version() < 33) return nullptr;
    return std::make_unique<GlDevice>(std::move(context), parameters);
}

}  // namespace gfx
