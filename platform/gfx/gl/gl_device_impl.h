// The OpenGL device behind CreateGlDevice, and the index of Direct3D 8's
// fixed-function conventions on OpenGL, each settled once and in one file.
//
// Where the device's member functions live, one file per job:
//   gl_device.cpp           creation, reset, scenes, present, clear and the
//                           render states with their defaults
//   gl_device_textures.cpp  texture stages: textures, combiners, samplers
//   gl_device_lighting.cpp  lights, material, clip planes, transforms and
//                           the viewport
//   gl_device_draw.cpp      drawing from memory and from mesh buffers, and
//                           reading the back buffer
//
// The conventions, each with the file that settles it ("lighting" stands
// for gl_device_lighting.cpp, and so on):
//
// - Matrices (lighting): row-vector matrices have the memory of OpenGL's
//   column-vector ones, so they load as they are. The model-view matrix is
//   world x view.
// - Depth (lighting): Direct3D clips z to 0..w, OpenGL to -w..w. The
//   projection is followed by z' = 2z - w, which maps one range onto the
//   other, and the viewport's depth range stays 0..1 as in Direct3D.
// - Pixel centres (lighting): Direct3D puts them on whole window
//   coordinates, OpenGL half a pixel further on. The projection is also
//   moved by half a pixel of the viewport (right and down), so a shape
//   covers the same pixels.
// - Viewport (lighting; read-back in draw): Direct3D counts y from the top,
//   OpenGL from the bottom. Read-back rows are turned top-down for the same
//   reason.
// - Culling (gl_device.cpp): Direct3D's front faces run clockwise on screen.
//   The picture is the same in both (both map NDC y up to the top of the
//   window), so the clockwise faces are OpenGL's front faces and the cull
//   modes name which of the two to drop.
// - Lights and clip planes (lighting): they are given in world space; OpenGL
//   transforms them by the model-view matrix at the time they are sent, so
//   they are sent again with the view matrix alone whenever the view or they
//   change. Directional lights shine along their direction, OpenGL's point
//   towards the light. Direct3D's local viewer defaults on, and specular
//   light is added after texturing (OpenGL's separate specular colour; both
//   set in gl_device.cpp); with specular off the material's specular is sent
//   as black.
// - Texture stages (textures): they are OpenGL's texture units with the
//   combine environment; a stage without a texture reads white, as in
//   Direct3D, through a 1 x 1 white texture, or, when white would leave the
//   stage's input unchanged (white times the colour, or a selection of the
//   colour), the unit is simply switched off, which costs the rasteriser
//   nothing. Stage sampler states live in sampler objects, which belong to
//   units as Direct3D's do to stages.
// - Lighting off (draw) draws the vertex colour, or white for vertices
//   without one.
// - Pre-transformed vertices (draw): x, y in render-target pixels, z the
//   depth value itself, rhw = 1 / w; they skip the transforms, lighting, fog
//   and clip planes. They are sent as (x w, y w, z w, w) through an
//   orthographic projection of the viewport, so OpenGL's division by w gives
//   back x, y, z and texturing stays perspective correct; the viewport clips
//   them.
#pragma once

#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/gfx_device.h"

namespace gfx {

struct GlContext;
class GlTexture;

class GlDevice final : public Device {
public:
    GlDevice(std::shared_ptr<GlContext> context, const PresentParameters& parameters);
    ~GlDevice() override;

    // Every device call, each in the file of its job (above).
#define GFX_DEVICE_CALL(result, name, parameters, qualifiers) \
    result name parameters qualifiers override;
#include "platform/gfx/gfx_device_calls.h"
#undef GFX_DEVICE_CALL

private:
    static constexpr uint32_t kMaxLights = 8;
    static constexpr uint32_t kMaxClipPlanes = 6;

    // Shared by the job files: an A8R8G8B8 colour as OpenGL's four floats,
    // and a capability switched on or off by a flag.
    static void ColorOf(uint32_t argb, float out[4]) {
        out[0] = float(argb >> 16 & 255) / 255.0f;
        out[1] = float(argb >> 8 & 255) / 255.0f;
        out[2] = float(argb & 255) / 255.0f;
        out[3] = float(argb >> 24) / 255.0f;
    }
    static void Enable(GLenum cap, bool on) { on ? glEnable(cap) : glDisable(cap); }

    // gl_device.cpp
    uint32_t SurfaceWidth() const;
    uint32_t SurfaceHeight() const;
    void SetDefaults();

    // gl_device_textures.cpp
    void ApplyStages();

    // gl_device_lighting.cpp
    void LoadProjection();
    void ApplyMaterial();
    void ApplyTransforms();

    // gl_device_draw.cpp
    // From memory, or from bound buffers (vertices and indices are then
    // offsets into them).
    void Draw(PrimitiveType type, uint32_t primitiveCount, const uint32_t* indices,
              const void* vertices, uint32_t fvf, bool fromBuffers = false);
    void DrawPretransformed(PrimitiveType type, uint32_t count, const uint32_t* indices,
                            const void* vertices, uint32_t fvf);
    void DrawArrays(PrimitiveType type, uint32_t count, const uint32_t* indices,
                    const void* vertices, uint32_t fvf, bool fromBuffers);

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

}  // namespace gfx
