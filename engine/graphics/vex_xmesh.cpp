#include "engine/graphics/vex_xmesh.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "engine/graphics/vex_direct3d.h"
#include "engine/graphics/vex_texture_list.h"
#include "engine/services/vex_resource.h"
#include "platform/gfx/gfx_shapes.h"
#include "platform/gfx/gfx_xfile.h"

using namespace gfx;

VEX_XMesh::~VEX_XMesh() {
    Log().ModuleFinishing("VEX_XMesh");
    Release();
    Log().ReportOk();
}

void VEX_XMesh::Release() {
    mesh_.reset();
    materials_.reset();
    textures_.reset();
    materialCount_ = 0;
}

bool VEX_XMesh::AllocateArrays(uint32_t count) {
    materials_.reset(static_cast<Material*>(TrackedAlloc(count * uint32_t(sizeof(Material)))));
    textures_.reset(static_cast<int16_t*>(TrackedAlloc(count * uint32_t(sizeof(int16_t)))));
    if (!materials_ || !textures_) {
        Release();
        return false;
    }
    materialCount_ = count;
    return true;
}

bool VEX_XMesh::LoadX(const char* name, bool loadTextures) {
    if (!d3d_.device() || !name) return false;
    Release();
    VEX_Resource& resource = Resource();
    if (!resource.BuildPath(name)) return false;
    // Loading the mesh's textures composes other paths; keep this one.
    char path[1024];
    std::snprintf(path, sizeof path, "%s", resource.path());
    try {
        return Read(name, path, loadTextures);
    } catch (const std::bad_alloc&) {
        Release();
        Log().WriteWarning("Memória insuficiente para carregar X mesh <%s>.", path);
        return false;
    }
}

bool VEX_XMesh::Read(const char* name, const std::string& path, bool loadTextures) {
    std::vector<uint8_t> bytes;
    if (!Resource().ReadAsset(name, true, bytes)) return false;

    XFileData data;
    std::string error;
    if (!ReadXFile(reinterpret_cast<const char*>(bytes.data()), bytes.size(), data, error)) {
        Log().FileReadError(path.c_str());
        return false;
    }
    const uint32_t count = uint32_t(data.materials.size());
    auto mesh = std::make_unique<Mesh>(std::move(data.vertices), std::move(data.indices),
                                       std::move(data.attributes), count);
    if (!AllocateArrays(count)) throw std::bad_alloc();
    for (uint32_t i = 0; i < count; ++i) {
        materials_[i] = data.materials[i].material;
        materials_[i].ambient = materials_[i].diffuse;
        int16_t texture = 0;
        const std::string& file = data.materials[i].texture;
        if (loadTextures && !file.empty()) {
            texture = textureList_.FindIndex(file.c_str());
            if (texture < 0) {
                textureList_.Load(file.c_str());
                texture = std::max<int16_t>(textureList_.FindIndex(file.c_str()), 0);
            }
        }
        textures_[i] = texture;
    }
    mesh->Optimize();
    mesh_ = std::move(mesh);
    Log().FileLoaded(path.c_str());
    return true;
}

bool VEX_XMesh::DrawMesh(float alpha) {
    Device* device = d3d_.device();
    if (!mesh_ || !device) return false;
    for (uint32_t i = 0; i < materialCount_; ++i) {
        const float stored = materials_[i].diffuse.a;
        if (alpha != 1.0f) materials_[i].diffuse.a = alpha;
        device->SetMaterial(materials_[i]);
        textureList_.Bind(0, textures_[i]);
        mesh_->DrawSubset(*device, i);
        materials_[i].diffuse.a = stored;
    }
    d3d_.AddTriangles(mesh_->FaceCount());
    d3d_.AddRenderCalls(materialCount_);
    return true;
}

void VEX_XMesh::SetMeshMaterial(int32_t subset, const Material& material) {
    if (subset == -1) {
        std::fill(materials_.get(), materials_.get() + materialCount_, material);
    } else if (subset >= 0 && uint32_t(subset) < materialCount_) {
        materials_[subset] = material;
    }
}

void VEX_XMesh::SetMeshTexture(int32_t subset, int16_t textureIndex) {
    if (subset < 0) {
        std::fill(textures_.get(), textures_.get() + materialCount_, textureIndex);
    } else if (uint32_t(subset) < materialCount_) {
        textures_[subset] = textureIndex;
    }
}

void VEX_XMesh::FitSize(float size, bool centre, bool toCorner) {
    if (!mesh_) return;
    uint8_t* bytes = mesh_->LockVertices();
    const uint32_t stride = mesh_->Stride();
    const uint32_t count = mesh_->VertexCount();
    auto position = [&](uint32_t i) {
        return reinterpret_cast<Vector3*>(bytes + size_t(i) * stride);
    };
    // The largest corner starts at the origin, so a model lying wholly on
    // the negative side is measured up to 0.
    Vector3 low{999, 999, 999}, high{0, 0, 0};
    for (uint32_t i = 0; i < count; ++i) {
        low = glm::min(low, *position(i));
        high = glm::max(high, *position(i));
    }
    const Vector3 sides = high - low;
    const float extent = std::max({sides.x, sides.y, sides.z});
    if (!(extent > 0)) return;  // nothing to measure; scaling would divide by zero
    const float scale = size / extent * 1.5f;
    Vector3 offset{0, 0, 0};
    if (centre)
        offset = -low - sides * 0.5f;
    else if (toCorner)
        offset = -low;
    for (uint32_t i = 0; i < count; ++i) *position(i) = (*position(i) + offset) * scale;
}

bool VEX_XMesh::TakePrimitive(std::unique_ptr<Mesh> mesh, float r, float g, float b,
                              int16_t texture, const char* warning) {
    Release();
    if (!d3d_.device() || !mesh || !AllocateArrays(1)) {
        Log().WriteWarning("%s", warning);
        return false;
    }
    Material material;
    material.diffuse = material.ambient = {r, g, b, 1.0f};
    materials_[0] = material;
    textures_[0] = texture;
    mesh_ = std::move(mesh);
    return true;
}

bool VEX_XMesh::CreateBox(float width, float height, float depth, float r, float g, float b,
                          int16_t texture) {
    return TakePrimitive(gfx::CreateBox(width, height, depth), r, g, b, texture,
                         "Não foi possível criar cubo.");
}

bool VEX_XMesh::CreateSphere(float radius, uint32_t slices, uint32_t stacks, float r, float g,
                             float b, int16_t texture) {
    // "possivel" lacks its accent in this line as the log has always written it: keep it.
    return TakePrimitive(gfx::CreateSphere(radius, slices, stacks), r, g, b, texture,
                         "Não foi possivel criar esfera.");
}

bool VEX_XMesh::CreateTorus(float innerRadius, float outerRadius, uint32_t sides, uint32_t rings,
                            float r, float g, float b, int16_t texture) {
    // "possivel" lacks its accent in this line as the log has always written it: keep it.
    return TakePrimitive(
        gfx::CreateTorus(innerRadius, outerRadius, std::max(sides, 3u), std::max(rings, 3u)), r, g,
        b, texture, "Não foi possivel criar torus.");
}

bool VEX_XMesh::CreateCylinder(float radius1, float radius2, float length, uint32_t slices,
                               uint32_t stacks, float r, float g, float b, int16_t texture) {
    // "possivel" lacks its accent in this line as the log has always written it: keep it.
    return TakePrimitive(gfx::CreateCylinder(radius1, radius2, length, slices, stacks), r, g, b,
                         texture, "Não foi possivel criar cilindro.");
}
