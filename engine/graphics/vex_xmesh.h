// VEX_XMesh: one static mesh read from a .x file with its materials and,
// per material, an index into the texture list; or one of a few simple
// solids. Drawn one subset at a time with its material and texture.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_mesh.h"

class VEX_Direct3D;
class VEX_TextureList;

class VEX_XMesh : public TrackedObject {
public:
    // The device it is drawn on and the list its textures are loaded into.
    VEX_XMesh(VEX_Direct3D& d3d, VEX_TextureList& textureList)
        : d3d_(d3d), textureList_(textureList) {}
    ~VEX_XMesh();
    VEX_XMesh(const VEX_XMesh&) = delete;
    VEX_XMesh& operator=(const VEX_XMesh&) = delete;

    bool LoadX(const char* name, bool loadTextures);
    // Alpha 1.0 draws the materials as stored; any other value replaces
    // their diffuse alpha for this draw only.
    bool DrawMesh(float alpha);
    // subset -1 (or any negative for textures) means every subset.
    void SetMeshMaterial(int32_t subset, const gfx::Material& material);
    void SetMeshTexture(int32_t subset, int16_t textureIndex);
    // Scales the vertices so the longest side of the box from the smallest
    // corner to the largest (which starts at the origin) becomes size x 1.5,
    // moving the box's centre or its smallest corner to the origin first
    // when asked.
    void FitSize(float size, bool centre, bool toCorner);
    void Release();

    bool CreateBox(float width, float height, float depth, float r, float g, float b,
                   int16_t texture);
    bool CreateSphere(float radius, uint32_t slices, uint32_t stacks, float r, float g, float b,
                      int16_t texture);
    bool CreateTorus(float innerRadius, float outerRadius, uint32_t sides, uint32_t rings, float r,
                     float g, float b, int16_t texture);
    bool CreateCylinder(float radius1, float radius2, float length, uint32_t slices,
                        uint32_t stacks, float r, float g, float b, int16_t texture);

    bool IsEmpty() const { return !mesh_; }
    uint32_t materialCount() const { return materialCount_; }
    const gfx::Material* material(uint32_t subset) const {
        return subset < materialCount_ ? &materials_[subset] : nullptr;
    }
    int16_t texture(uint32_t subset) const {
        return subset < materialCount_ ? textures_[subset] : int16_t(0);
    }
    gfx::Mesh* mesh() const { return mesh_.get(); }

private:
    VEX_Direct3D& d3d_;
    VEX_TextureList& textureList_;
    // Reads and builds the mesh; may throw std::bad_alloc, which LoadX turns
    // into its warning.
    bool Read(const char* name, const std::string& path, bool loadTextures);
    bool TakePrimitive(std::unique_ptr<gfx::Mesh> mesh, float r, float g, float b, int16_t texture,
                       const char* warning);
    bool AllocateArrays(uint32_t count);

    std::unique_ptr<gfx::Mesh> mesh_;
    std::unique_ptr<gfx::Material[], TrackedFreeDeleter> materials_;
    std::unique_ptr<int16_t[], TrackedFreeDeleter> textures_;
    uint32_t materialCount_ = 0;
};
