// The OpenGL device's lights, material, clip planes, transforms and
// viewport: what places and lights the world before it is drawn.
#include <algorithm>
#include <numbers>

#include "platform/gfx/gfx_math.h"
#include "platform/gfx/gl/gl_device_impl.h"

namespace gfx {

namespace {

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

}  // namespace

void GlDevice::SetTransform(TransformState state, const Matrix& matrix) {
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

void GlDevice::SetViewport(const Viewport& viewport) {
    const GLint y = GLint(SurfaceHeight()) - GLint(viewport.y + viewport.height);
    glViewport(GLint(viewport.x), y, GLsizei(viewport.width), GLsizei(viewport.height));
    glScissor(GLint(viewport.x), y, GLsizei(viewport.width), GLsizei(viewport.height));
    glDepthRange(viewport.minZ, viewport.maxZ);
    viewport_ = viewport;
    LoadProjection();
}

void GlDevice::SetMaterial(const Material& material) {
    material_ = material;
    materialDirty_ = true;
}

void GlDevice::SetLight(uint32_t index, const Light& light) {
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

void GlDevice::LightEnable(uint32_t index, bool enable) {
    if (index < kMaxLights) Enable(GL_LIGHT0 + index, enable);
}

void GlDevice::SetClipPlane(uint32_t index, const float plane[4]) {
    if (index >= kMaxClipPlanes) return;
    for (int i = 0; i < 4; ++i) clipPlanes_[index][i] = plane[i];
    lightsDirty_ = true;
}

void GlDevice::LoadProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&Multiply(projection_, ClipSpaceFix(viewport_.width, viewport_.height))[0][0]);
    glMatrixMode(GL_MODELVIEW);
}

void GlDevice::ApplyMaterial() {
    Material m = material_;
    if (!renderStates_[kRsSpecularEnable]) m.specular = {0, 0, 0, m.specular.a};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &m.diffuse.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &m.ambient.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, &m.specular.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &m.emissive.r);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m.power, 0.0f, 128.0f));
    materialDirty_ = false;
}

void GlDevice::ApplyTransforms() {
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

}  // namespace gfx
