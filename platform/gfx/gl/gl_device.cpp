// Direct3D 8's fixed-function conventions on OpenGL, each settled once:
//
// - Matrices: row-vector matrices have the memory of OpenGL's column-vector
//   ones, so they load as they are. The model-view matrix is world x view.
// - Depth: Direct3D clips z to 0..w, OpenGL to -w..w. The projection is
//   followed by z' = 2z - w, which maps one range onto the other, and the
//   viewport's depth range stays 0..1 as in Direct3D.
// - Pixel centres: Direct3D puts them on whole window coordinates, OpenGL
//   half a pixel further on. The projection is also moved by half a pixel
//   of the viewport (right and down), so a shape covers the same pixels.
// - Viewport: Direct3D counts y from the top, OpenGL from the bottom.
//   Read-back rows are turned top-down for the same reason.
// - Culling: Direct3D's front faces run clockwise on screen. The picture is
//   the same in both (both map NDC y up to the top of the window), so the
//   clockwise faces are OpenGL's front faces and the cull modes name which
//   of the two to drop.
// - Lights and clip planes are given in world space; OpenGL transforms them
//   by the model-view matrix at the time they are sent, so they are sent
//   again with the view matrix alone whenever the view or they change.
//   Directional lights shine along their direction, OpenGL's point towards
//   the light. Direct3D's local viewer defaults on, and specular light is
//   added after texturing (OpenGL's separate specular colour); with
//   specular off the material's specular is sent as black.
// - Texture stages are OpenGL's texture units with the combine environment;
//   a stage without a texture reads white, as in Direct3D, through a 1 x 1
//   white texture, or, when white would leave the stage's input unchanged
//   (white times the colour, or a selection of the colour), the unit is
//   simply switched off, which costs the rasteriser nothing. Stage sampler states live in sampler
//   objects, which belong to units as Direct3D's do to stages.
// - Lighting off draws the vertex colour, or white for vertices without one.
// - Pre-transformed vertices (x, y in render-target pixels, z the depth
//   value itself, rhw = 1 / w) skip the transforms, lighting, fog and clip
//   planes. They are sent as (x w, y w, z w, w) through an orthographic
//   projection of the viewport, so OpenGL's division by w gives back x, y, z
//   and texturing stays perspective correct; the viewport clips them.
#include "platform/gfx/gl/gl_device.h"

#include <epoxy/gl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/gfx/gfx_math.h"
#include "platform/gfx/gl/gl_context.h"
#include "platform/gfx/gl/gl_texture.h"

namespace gfx {

namespace {

constexpr uint32_t kMaxLights = 8;
constexpr uint32_t kMaxClipPlanes = 6;

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

GLenum AddressOf(uint32_t address) {
    switch (address) {
        case kTaddressMirror:
            return GL_MIRRORED_REPEAT;
        case kTaddressClamp:
            return GL_CLAMP_TO_EDGE;
        default:
            return GL_REPEAT;
    }
}

void ColorOf(uint32_t argb, float out[4]) {
    out[0] = float(argb >> 16 & 255) / 255.0f;
    out[1] = float(argb >> 8 & 255) / 255.0f;
    out[2] = float(argb & 255) / 255.0f;
    out[3] = float(argb >> 24) / 255.0f;
}

void Enable(GLenum cap, bool on) {
    on ? glEnable(cap) : glDisable(cap);
}

// After the projection: z' = 2z - w, and half a pixel of a viewport of
// width x height to the right and down.
Matrix ClipSpaceFix(uint32_t width, uint32_t height) {
    Matrix fix(1.0f);
    At(fix, 3, 3) = 2.0f;
    At(fix, 4, 3) = -1.0f;
    if (width) At(fix, 4, 1) = 1.0f / float(width);
    if (height) At(fix, 4, 2) = -1.0f / float(height);
    return fix;
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

// Vertex and index buffer objects, holding their context.
struct GlMeshBuffers final : MeshBuffers {
    std::shared_ptr<GlContext> context;
    GLuint vertices = 0, indices = 0;
    uint32_t fvf = 0;
    ~GlMeshBuffers() override {
        glDeleteBuffers(1, &vertices);
        glDeleteBuffers(1, &indices);
    }
};

class GlDevice final : public Device {
public:
    GlDevice(std::shared_ptr<GlContext> context, const PresentParameters& parameters)
        : context_(std::move(context)), parameters_(parameters) {
        caps_.rasterCaps = Caps::kZBias;
        if (epoxy_gl_version() >= 46 ||
            epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic")) {
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
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                     &texel);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        glFrontFace(GL_CW);
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
        glEnable(GL_SCISSOR_TEST);
        SetDefaults();
    }

    ~GlDevice() override {
        glDeleteSamplers(GLsizei(kStageCount), samplers_.data());
        glDeleteTextures(1, &white_);
    }

    Result TestCooperativeLevel() override { return Result::Ok; }

    Result Reset(const PresentParameters& parameters) override {
        parameters_ = parameters;
        SetDefaults();
        return Result::Ok;
    }

    Result BeginScene() override { return Result::Ok; }
    Result EndScene() override {
        glFlush();
        return Result::Ok;
    }
    Result Present() override {
        return eglSwapBuffers(context_->display->egl, context_->surface) ? Result::Ok
                                                                         : Result::InvalidCall;
    }

    Result Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) override {
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

    const Caps& GetCaps() const override { return caps_; }

    void SetRenderState(RenderState state, uint32_t value) override {
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
                // Front faces are the clockwise ones (see above).
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

    void SetTextureStageState(uint32_t stage, StageState state, uint32_t value) override {
        if (stage >= kStageCount || state >= kStageStateCount) return;
        stageStates_[stage][state] = value;
        const GLuint sampler = samplers_[stage];
        const auto& ss = stageStates_[stage];
        switch (state) {
            case kTssAddressU:
                glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GLint(AddressOf(value)));
                break;
            case kTssAddressV:
                glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GLint(AddressOf(value)));
                break;
            case kTssMagFilter:
            case kTssMinFilter:
            case kTssMipFilter:
            case kTssMaxAnisotropy: {
                const bool magLinear = ss[kTssMagFilter] >= kTexfLinear;
                const bool minLinear = ss[kTssMinFilter] >= kTexfLinear;
                GLenum min = minLinear ? GL_LINEAR : GL_NEAREST;
                if (ss[kTssMipFilter] == kTexfPoint)
                    min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
                if (ss[kTssMipFilter] >= kTexfLinear)
                    min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
                glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER,
                                    magLinear ? GL_LINEAR : GL_NEAREST);
                glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GLint(min));
                if (caps_.rasterCaps & Caps::kAnisotropy) {
                    const bool anisotropic = ss[kTssMinFilter] == kTexfAnisotropic ||
                                             ss[kTssMagFilter] == kTexfAnisotropic;
                    const float amount =
                        anisotropic
                            ? float(std::clamp(ss[kTssMaxAnisotropy], 1u, caps_.maxAnisotropy))
                            : 1.0f;
                    glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY, amount);
                }
                break;
            }
            case kTssMaxMipLevel:
                glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, float(value));
                break;
            default:
                stagesDirty_ = true;
                break;
        }
    }

    void SetTransform(TransformState state, const Matrix& matrix) override {
        if (state == kTsProjection) {
            projection_ = matrix;
            LoadProjection();
        } else if (state == kTsView) {
            view_ = matrix;
            lightsDirty_ = modelViewDirty_ = true;
        } else if (state == kTsWorld) {
            world_ = matrix;
            modelViewDirty_ = true;
        }
    }

    void SetViewport(const Viewport& viewport) override {
        const GLint y = GLint(SurfaceHeight()) - GLint(viewport.y + viewport.height);
        glViewport(GLint(viewport.x), y, GLsizei(viewport.width), GLsizei(viewport.height));
        glScissor(GLint(viewport.x), y, GLsizei(viewport.width), GLsizei(viewport.height));
        glDepthRange(viewport.minZ, viewport.maxZ);
        viewport_ = viewport;
        LoadProjection();
    }

    void SetMaterial(const Material& material) override {
        material_ = material;
        materialDirty_ = true;
    }

    void SetLight(uint32_t index, const Light& light) override {
        if (index >= kMaxLights) return;
        lights_[index] = light;
        const GLenum id = GL_LIGHT0 + index;
        glLightfv(id, GL_DIFFUSE, &light.diffuse.r);
        glLightfv(id, GL_SPECULAR, &light.specular.r);
        glLightfv(id, GL_AMBIENT, &light.ambient.r);
        const bool point = light.type != kLightDirectional;
        const bool silent =
            light.attenuation0 == 0 && light.attenuation1 == 0 && light.attenuation2 == 0;
        glLightf(id, GL_CONSTANT_ATTENUATION, point && !silent ? light.attenuation0 : 1.0f);
        glLightf(id, GL_LINEAR_ATTENUATION, point ? light.attenuation1 : 0.0f);
        glLightf(id, GL_QUADRATIC_ATTENUATION, point ? light.attenuation2 : 0.0f);
        if (light.type == kLightSpot) {
            const float degrees = light.phi * 0.5f * 180.0f / std::numbers::pi_v<float>;
            glLightf(id, GL_SPOT_CUTOFF, std::clamp(degrees, 0.0f, 90.0f));
            glLightf(id, GL_SPOT_EXPONENT, std::clamp(light.falloff, 0.0f, 128.0f));
        } else {
            glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        }
        lightsDirty_ = true;
    }

    void LightEnable(uint32_t index, bool enable) override {
        if (index < kMaxLights) Enable(GL_LIGHT0 + index, enable);
    }

    void SetClipPlane(uint32_t index, const float plane[4]) override {
        if (index >= kMaxClipPlanes) return;
        for (int i = 0; i < 4; ++i) clipPlanes_[index][i] = plane[i];
        lightsDirty_ = true;
    }

    void SetTexture(uint32_t stage, Texture* texture) override {
        if (stage >= kStageCount) return;
        textures_[stage] = static_cast<GlTexture*>(texture);
        stagesDirty_ = true;
    }

    uint32_t GetRenderState(RenderState state) const override {
        return state < kRenderStateCount ? renderStates_[state] : 0;
    }
    uint32_t GetTextureStageState(uint32_t stage, StageState state) const override {
        return stage < kStageCount && state < kStageStateCount ? stageStates_[stage][state] : 0;
    }
    Texture* GetTexture(uint32_t stage) const override {
        return stage < kStageCount ? textures_[stage] : nullptr;
    }

    Result CreateTexture(uint32_t width, uint32_t height, uint32_t levels, Format format,
                         std::unique_ptr<Texture>& texture) override {
        if (width == 0 || height == 0 || width > caps_.maxTextureSize ||
            height > caps_.maxTextureSize)
            return Result::InvalidCall;
        auto created = std::make_unique<GlTexture>(context_);
        if (!created->Create(width, height, levels, format)) return Result::InvalidCall;
        texture = std::move(created);
        return Result::Ok;
    }

    void DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                         uint32_t fvf) override {
        Draw(type, primitiveCount, nullptr, vertices, fvf);
    }

    void DrawIndexedPrimitiveUP(PrimitiveType type, uint32_t, uint32_t primitiveCount,
                                const uint32_t* indices, const void* vertices,
                                uint32_t fvf) override {
        Draw(type, primitiveCount, indices, vertices, fvf);
    }

    std::unique_ptr<MeshBuffers> CreateMeshBuffers(const void* vertices, uint32_t vertexCount,
                                                   uint32_t fvf, const uint32_t* indices,
                                                   uint32_t indexCount) override {
        auto buffers = std::make_unique<GlMeshBuffers>();
        buffers->context = context_;
        buffers->fvf = fvf;
        glGenBuffers(1, &buffers->vertices);
        glGenBuffers(1, &buffers->indices);
        glBindBuffer(GL_ARRAY_BUFFER, buffers->vertices);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertexCount) * VertexStride(fvf), vertices,
                     GL_STATIC_DRAW);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers->indices);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indexCount) * 4, indices, GL_STATIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        return buffers;
    }

    void DrawIndexedPrimitive(const MeshBuffers& buffers, uint32_t startIndex,
                              uint32_t primitiveCount) override {
        const auto& kept = static_cast<const GlMeshBuffers&>(buffers);
        // With the buffers bound, the pointers below are offsets into them.
        glBindBuffer(GL_ARRAY_BUFFER, kept.vertices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, kept.indices);
        Draw(kPtTriangleList, primitiveCount,
             reinterpret_cast<const uint32_t*>(uintptr_t(startIndex) * 4), nullptr, kept.fvf, true);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }

    bool ReadBackBuffer(std::vector<uint32_t>& argb, uint32_t& width, uint32_t& height) override {
        width = SurfaceWidth();
        height = SurfaceHeight();
        std::vector<uint32_t> rows(size_t(width) * height);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                     rows.data());
        argb.resize(rows.size());
        for (uint32_t y = 0; y < height; ++y)
            std::memcpy(&argb[size_t(y) * width], &rows[size_t(height - 1 - y) * width],
                        width * sizeof(uint32_t));
        return glGetError() == GL_NO_ERROR;
    }

private:
    void LoadProjection() {
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(
            &Multiply(projection_, ClipSpaceFix(viewport_.width, viewport_.height))[0][0]);
        glMatrixMode(GL_MODELVIEW);
    }

    uint32_t SurfaceWidth() const {
        EGLint w = 0;
        eglQuerySurface(context_->display->egl, context_->surface, EGL_WIDTH, &w);
        return uint32_t(w);
    }
    uint32_t SurfaceHeight() const {
        EGLint h = 0;
        eglQuerySurface(context_->display->egl, context_->surface, EGL_HEIGHT, &h);
        return uint32_t(h);
    }

    void SetDefaults() {
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

    GLenum SourceOf(uint32_t stage, uint32_t arg) const {
        switch (arg & 0xF) {
            case kTaDiffuse:
                return GL_PRIMARY_COLOR;
            case kTaTexture:
                return GL_TEXTURE;
            case kTaTFactor:
                return GL_CONSTANT;
            default:
                return stage == 0 ? GL_PRIMARY_COLOR : GL_PREVIOUS;
        }
    }

    // One combiner function, for colour or alpha.
    void Combine(uint32_t stage, GLenum combine, GLenum source0, GLenum source1, GLenum scale,
                 uint32_t op, uint32_t arg1, uint32_t arg2) {
        GLenum function = GL_MODULATE;
        float factor = 1.0f;
        GLenum a = SourceOf(stage, arg1), b = SourceOf(stage, arg2);
        switch (op) {
            case kTopSelectArg1:
                function = GL_REPLACE;
                break;
            case kTopSelectArg2:
                function = GL_REPLACE, a = b;
                break;
            case kTopModulate2x:
                factor = 2.0f;
                break;
            case kTopAdd:
                function = GL_ADD;
                break;
            case kTopModulate:
                break;
            default:
                function = GL_REPLACE, a = SourceOf(stage, kTaCurrent);
                break;  // passes the colour on
        }
        glTexEnvi(GL_TEXTURE_ENV, combine, GLint(function));
        glTexEnvi(GL_TEXTURE_ENV, source0, GLint(a));
        glTexEnvi(GL_TEXTURE_ENV, source1, GLint(b));
        glTexEnvf(GL_TEXTURE_ENV, scale, factor);
    }

    // Whether a white texture leaves this combiner's input as it is.
    static bool WhiteIsNeutral(uint32_t stage, uint32_t op, uint32_t arg1, uint32_t arg2) {
        auto current = [stage](uint32_t arg) {
            arg &= 0xF;
            return arg == kTaCurrent || (stage == 0 && arg == kTaDiffuse);
        };
        auto texture = [](uint32_t arg) { return (arg & 0xF) == kTaTexture; };
        switch (op) {
            case kTopModulate:
                return (texture(arg1) && current(arg2)) || (current(arg1) && texture(arg2));
            case kTopSelectArg1:
                return current(arg1);
            case kTopSelectArg2:
                return current(arg2);
            default:
                return false;
        }
    }

    void ApplyStages() {
        float factor[4];
        ColorOf(renderStates_[kRsTextureFactor], factor);
        bool enabled = true;
        for (uint32_t stage = 0; stage < kStageCount; ++stage) {
            const auto& ss = stageStates_[stage];
            glActiveTexture(GL_TEXTURE0 + stage);
            // A disabled stage ends the cascade.
            enabled = enabled && ss[kTssColorOp] != kTopDisable;
            stageOn_[stage] = enabled;
            if (!enabled) {
                glDisable(GL_TEXTURE_2D);
                glBindSampler(stage, 0);
                continue;
            }
            if (!textures_[stage] &&
                WhiteIsNeutral(stage, ss[kTssColorOp], ss[kTssColorArg1], ss[kTssColorArg2]) &&
                WhiteIsNeutral(stage, ss[kTssAlphaOp], ss[kTssAlphaArg1], ss[kTssAlphaArg2])) {
                glDisable(GL_TEXTURE_2D);
                glBindSampler(stage, 0);
                stageOn_[stage] = false;
                continue;
            }
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, textures_[stage] ? textures_[stage]->name() : white_);
            glBindSampler(stage, samplers_[stage]);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
            glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
            Combine(stage, GL_COMBINE_RGB, GL_SRC0_RGB, GL_SRC1_RGB, GL_RGB_SCALE, ss[kTssColorOp],
                    ss[kTssColorArg1], ss[kTssColorArg2]);
            Combine(stage, GL_COMBINE_ALPHA, GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_ALPHA_SCALE,
                    ss[kTssAlphaOp], ss[kTssAlphaArg1], ss[kTssAlphaArg2]);
        }
        glActiveTexture(GL_TEXTURE0);
        stagesDirty_ = false;
    }

    void ApplyMaterial() {
        Material m = material_;
        if (!renderStates_[kRsSpecularEnable]) m.specular = {0, 0, 0, m.specular.a};
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &m.diffuse.r);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &m.ambient.r);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, &m.specular.r);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &m.emissive.r);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m.power, 0.0f, 128.0f));
        materialDirty_ = false;
    }

    void ApplyTransforms() {
        if (lightsDirty_) {
            glLoadMatrixf(&view_[0][0]);
            for (uint32_t i = 0; i < kMaxLights; ++i) {
                const Light& light = lights_[i];
                const GLenum id = GL_LIGHT0 + i;
                if (light.type == kLightDirectional) {
                    const float towards[4] = {-light.direction.x, -light.direction.y,
                                              -light.direction.z, 0.0f};
                    glLightfv(id, GL_POSITION, towards);
                } else {
                    const float position[4] = {light.position.x, light.position.y, light.position.z,
                                               1.0f};
                    glLightfv(id, GL_POSITION, position);
                    glLightfv(id, GL_SPOT_DIRECTION, &light.direction.x);
                }
            }
            for (uint32_t i = 0; i < kMaxClipPlanes; ++i) {
                const double plane[4] = {clipPlanes_[i][0], clipPlanes_[i][1], clipPlanes_[i][2],
                                         clipPlanes_[i][3]};
                glClipPlane(GL_CLIP_PLANE0 + i, plane);
            }
            lightsDirty_ = false;
            modelViewDirty_ = true;
        }
        if (modelViewDirty_) {
            glLoadMatrixf(&Multiply(world_, view_)[0][0]);
            modelViewDirty_ = false;
        }
    }

    // From memory, or from bound buffers (vertices and indices are then
    // offsets into them).
    void Draw(PrimitiveType type, uint32_t primitiveCount, const uint32_t* indices,
              const void* vertices, uint32_t fvf, bool fromBuffers = false) {
        if (primitiveCount == 0 || (!vertices && !fromBuffers)) return;
        const uint32_t count = VerticesOf(type, primitiveCount);
        if ((fvf & kFvfXyzRhw) && !fromBuffers) {
            DrawPretransformed(type, count, indices, vertices, fvf);
            return;
        }
        if ((fvf & kFvfXyz) == 0) return;
        ApplyTransforms();
        DrawArrays(type, count, indices, vertices, fvf, fromBuffers);
    }

    // Screen-space vertices: see the notes at the top.
    void DrawPretransformed(PrimitiveType type, uint32_t count, const uint32_t* indices,
                            const void* vertices, uint32_t fvf) {
        const Viewport& v = viewport_;
        if (v.width == 0 || v.height == 0) return;
        uint32_t vertexCount = count;
        if (indices) vertexCount = *std::max_element(indices, indices + count) + 1;
        const size_t stride = VertexStride(fvf);
        homogeneous_.assign(static_cast<const uint8_t*>(vertices),
                            static_cast<const uint8_t*>(vertices) + vertexCount * stride);
        for (uint32_t i = 0; i < vertexCount; ++i) {
            float p[4];
            std::memcpy(p, &homogeneous_[i * stride], sizeof p);
            const float w = p[3] > 0 && std::isfinite(p[3]) ? 1.0f / p[3] : 1.0f;
            const float out[4] = {p[0] * w, p[1] * w, p[2] * w, w};
            std::memcpy(&homogeneous_[i * stride], out, sizeof out);
        }

        // Window pixel x lands at x + 1/2 (OpenGL's centre of Direct3D's
        // pixel x); depth z is written as it stands. An edge running
        // exactly through pixel centres covers them when it is a top edge
        // in Direct3D but a bottom one in OpenGL (y up), so everything is
        // nudged up by a small fraction of a pixel to settle
        // such ties the Direct3D way.
        constexpr float kTieNudge = 1.0f / 128.0f;
        const float depthSpan = v.maxZ > v.minZ ? v.maxZ - v.minZ : 1.0f;
        Matrix screen(1.0f);
        At(screen, 1, 1) = 2.0f / float(v.width);
        At(screen, 2, 2) = -2.0f / float(v.height);
        At(screen, 3, 3) = 2.0f / depthSpan;
        At(screen, 4, 1) = (1.0f - 2.0f * float(v.x)) / float(v.width) - 1.0f;
        At(screen, 4, 2) = 1.0f + (2.0f * float(v.y) - 1.0f + 2.0f * kTieNudge) / float(v.height);
        At(screen, 4, 3) = -2.0f * v.minZ / depthSpan - 1.0f;
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(&screen[0][0]);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        modelViewDirty_ = true;
        const bool lit = renderStates_[kRsLighting] != 0, fogged = renderStates_[kRsFogEnable] != 0;
        const uint32_t clipPlanes = renderStates_[kRsClipPlaneEnable];
        Enable(GL_LIGHTING, false);
        Enable(GL_FOG, false);
        for (uint32_t i = 0; i < kMaxClipPlanes; ++i) Enable(GL_CLIP_PLANE0 + i, false);

        DrawArrays(type, count, indices, homogeneous_.data(), fvf, false);

        Enable(GL_LIGHTING, lit);
        Enable(GL_FOG, fogged);
        for (uint32_t i = 0; i < kMaxClipPlanes; ++i)
            Enable(GL_CLIP_PLANE0 + i, clipPlanes & (1u << i));
        LoadProjection();
    }

    // Sends the vertex arrays laid out by the format and draws.
    void DrawArrays(PrimitiveType type, uint32_t count, const uint32_t* indices,
                    const void* vertices, uint32_t fvf, bool fromBuffers) {
        if (stagesDirty_) ApplyStages();
        const bool colored = (fvf & kFvfDiffuse) != 0;
        const bool lit = renderStates_[kRsLighting] != 0 && (fvf & kFvfXyzRhw) == 0;
        // A vertex colour stands in for the material's diffuse colour.
        Enable(GL_COLOR_MATERIAL, colored && lit);
        if (colored && lit) glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE), materialDirty_ = true;
        if (lit && (materialDirty_ || colored)) ApplyMaterial();

        const uint8_t* base = static_cast<const uint8_t*>(vertices);
        const GLsizei stride = GLsizei(VertexStride(fvf));
        const bool pretransformed = (fvf & kFvfXyzRhw) != 0;
        size_t offset = pretransformed ? 16 : 12;
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(pretransformed ? 4 : 3, GL_FLOAT, stride, base);
        if (fvf & kFvfNormal) {
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, stride, base + offset);
            offset += 12;
        } else {
            glDisableClientState(GL_NORMAL_ARRAY);
        }
        if (colored) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + offset);
            offset += 4;
        } else {
            glDisableClientState(GL_COLOR_ARRAY);
            glColor4f(1, 1, 1, 1);
        }
        if (fvf & kFvfSpecular) offset += 4;
        for (uint32_t stage = 0; stage < kStageCount; ++stage) {
            glClientActiveTexture(GL_TEXTURE0 + stage);
            const uint32_t set = stageStates_[stage][kTssTexCoordIndex] & 0xFFFF;
            const uint32_t sets = (fvf & kFvfTex2) ? 2 : (fvf & kFvfTex1) ? 1 : 0;
            if (stageOn_[stage] && set < sets) {
                glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                glTexCoordPointer(2, GL_FLOAT, stride, base + offset + set * 8);
            } else {
                glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            }
        }
        glClientActiveTexture(GL_TEXTURE0);

        GLenum mode = GL_TRIANGLES;
        switch (type) {
            case kPtPointList:
                mode = GL_POINTS;
                break;
            case kPtLineList:
                mode = GL_LINES;
                break;
            case kPtLineStrip:
                mode = GL_LINE_STRIP;
                break;
            case kPtTriangleStrip:
                mode = GL_TRIANGLE_STRIP;
                break;
            case kPtTriangleFan:
                mode = GL_TRIANGLE_FAN;
                break;
            default:
                break;
        }
        if (indices || fromBuffers)
            glDrawElements(mode, GLsizei(count), GL_UNSIGNED_INT, indices);
        else
            glDrawArrays(mode, 0, GLsizei(count));
    }

    std::shared_ptr<GlContext> context_;
    PresentParameters parameters_;
    Caps caps_;
    std::array<uint32_t, kRenderStateCount> renderStates_{};
    std::array<std::array<uint32_t, kStageStateCount>, kStageCount> stageStates_{};
    std::array<GLuint, kStageCount> samplers_{};
    std::array<GlTexture*, kStageCount> textures_{};
    std::array<bool, kStageCount> stageOn_{};
    GLuint white_ = 0;
    Matrix view_{1.0f}, world_{1.0f}, projection_{1.0f};
    Viewport viewport_;
    Material material_;
    std::array<Light, kMaxLights> lights_{};
    float clipPlanes_[kMaxClipPlanes][4] = {};
    bool lightsDirty_ = true, modelViewDirty_ = true, materialDirty_ = true, stagesDirty_ = true;
    std::vector<uint8_t> homogeneous_;  // pre-transformed vertices as sent
};

}  // namespace

std::unique_ptr<Device> CreateGlDevice(std::shared_ptr<GlContext> context,
                                       const PresentParameters& parameters) {
    // Sampler objects carry the stage states; they are core from 3.3.
    if (epoxy_gl_version() < 33) return nullptr;
    return std::make_unique<GlDevice>(std::move(context), parameters);
}

}  // namespace gfx
