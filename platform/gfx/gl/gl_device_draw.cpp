// The OpenGL device's drawing, from memory and from mesh buffers, and
// reading the back buffer.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/gfx_math.h"
#include "platform/gfx/gl/gl_device_impl.h"

namespace gfx {

namespace {

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

}  // namespace

void GlDevice::DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                               uint32_t fvf) {
    Draw(type, primitiveCount, nullptr, vertices, fvf);
}

void GlDevice::DrawIndexedPrimitiveUP(PrimitiveType type, uint32_t, uint32_t primitiveCount,
                                      const uint32_t* indices, const void* vertices, uint32_t fvf) {
    Draw(type, primitiveCount, indices, vertices, fvf);
}

std::unique_ptr<MeshBuffers> GlDevice::CreateMeshBuffers(const void* vertices, uint32_t vertexCount,
                                                         uint32_t fvf, const uint32_t* indices,
                                                         uint32_t indexCount) {
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

void GlDevice::DrawIndexedPrimitive(const MeshBuffers& buffers, uint32_t startIndex,
                                    uint32_t primitiveCount) {
    const auto& kept = static_cast<const GlMeshBuffers&>(buffers);
    // With the buffers bound, the pointers below are offsets into them.
    glBindBuffer(GL_ARRAY_BUFFER, kept.vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, kept.indices);
    Draw(kPtTriangleList, primitiveCount,
         reinterpret_cast<const uint32_t*>(uintptr_t(startIndex) * 4), nullptr, kept.fvf, true);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

bool GlDevice::ReadBackBuffer(std::vector<uint32_t>& argb, uint32_t& width, uint32_t& height) {
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

void GlDevice::Draw(PrimitiveType type, uint32_t primitiveCount, const uint32_t* indices,
                    const void* vertices, uint32_t fvf, bool fromBuffers) {
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

// Screen-space vertices: see Pre-transformed vertices in gl_device_impl.h.
void GlDevice::DrawPretransformed(PrimitiveType type, uint32_t count, const uint32_t* indices,
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
void GlDevice::DrawArrays(PrimitiveType type, uint32_t count, const uint32_t* indices,
                          const void* vertices, uint32_t fvf, bool fromBuffers) {
    if (stagesDirty_) ApplyStages();
    const bool colored = (fvf & kFvfDiffuse) != 0;
    const bool lit = renderStates_[kRsLighting] != 0 && (fvf & kFvfXyzRhw) == 0;
    // A vertex colour stands in for the material's diffuse colour.
    Enable(GL_COLOR_MATERIAL, colored && lit);
    if (colored && lit) glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE), materialDirty_ = true;
    if (lit && (materialDirty_ || colored)) ApplyMaterial();

    // Drawing from bound buffers, vertices is null and each attribute's
    // "pointer" is its offset into the buffer; offsetting a null pointer is
    // undefined, so the addresses are computed as integers.
    const uintptr_t start = reinterpret_cast<uintptr_t>(vertices);
    const auto at = [start](size_t offset) {
        return reinterpret_cast<const void*>(start + offset);
    };
    const GLsizei stride = GLsizei(VertexStride(fvf));
    const bool pretransformed = (fvf & kFvfXyzRhw) != 0;
    size_t offset = pretransformed ? 16 : 12;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(pretransformed ? 4 : 3, GL_FLOAT, stride, at(0));
    if (fvf & kFvfNormal) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, at(offset));
        offset += 12;
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (colored) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, at(offset));
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
            glTexCoordPointer(2, GL_FLOAT, stride, at(offset + set * 8));
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

}  // namespace gfx
