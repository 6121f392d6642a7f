// A static triangle mesh in system memory, drawn from memory one subset
// (material) at a time: positions, normals and one set of texture
// coordinates per vertex, and an attribute (subset number) per face.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_device.h"

namespace gfx {

struct MeshVertex {
    Vector3 position{0, 0, 0};
    Vector3 normal{0, 0, 0};
    float u = 0, v = 0;
};

class Mesh : public TrackedObject {
public:
    static constexpr uint32_t kFvf = kFvfXyz | kFvfNormal | kFvfTex1;

    // Takes triangles as index triples with one attribute each. Faces whose
    // attribute is not below subsetCount, or whose corners are out of range,
    // are dropped.
    Mesh(std::vector<MeshVertex> vertices, std::vector<uint32_t> indices,
         std::vector<uint32_t> attributes, uint32_t subsetCount);

    // Sorts the faces by attribute so that each subset is one contiguous
    // draw, orders each subset's faces for the vertex cache, and renumbers
    // the vertices in the order the faces first use them (dropping unused
    // ones). The faces stay the same triangles with the same winding.
    void Optimize();

    // Draws the faces of one subset; nothing for an empty or unknown one.
    // The first draw on a device leaves a copy of the mesh with it.
    void DrawSubset(Device& device, uint32_t subset);

    uint32_t FaceCount() const { return static_cast<uint32_t>(attributes_.size()); }
    uint32_t VertexCount() const { return static_cast<uint32_t>(vertices_.size()); }
    uint32_t SubsetCount() const { return static_cast<uint32_t>(ranges_.size()); }
    uint32_t Stride() const { return VertexStride(kFvf); }
    // Writable vertex memory, laid out by kFvf (position first). The
    // device's copy is made again at the next draw.
    uint8_t* LockVertices() {
        buffers_.reset();
        return reinterpret_cast<uint8_t*>(vertices_.data());
    }
    const std::vector<MeshVertex, TrackedAllocator<MeshVertex>>& vertices() const {
        return vertices_;
    }
    const std::vector<uint32_t, TrackedAllocator<uint32_t>>& indices() const { return indices_; }
    const std::vector<uint32_t, TrackedAllocator<uint32_t>>& attributes() const {
        return attributes_;
    }

private:
    struct Range {
        uint32_t faceStart = 0, faceCount = 0;
    };
    void BuildRanges();

    std::vector<MeshVertex, TrackedAllocator<MeshVertex>> vertices_;
    std::vector<uint32_t, TrackedAllocator<uint32_t>> indices_;
    std::vector<uint32_t, TrackedAllocator<uint32_t>> attributes_;
    std::vector<Range, TrackedAllocator<Range>> ranges_;
    std::unique_ptr<MeshBuffers> buffers_;
};

static_assert(sizeof(MeshVertex) == 32, "mesh vertices are laid out as their vertex format says");

}  // namespace gfx
