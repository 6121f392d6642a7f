#include "platform/gfx/gfx_mesh.h"

#include <algorithm>
#include <numeric>

namespace gfx {

Mesh::Mesh(std::vector<MeshVertex> vertices, std::vector<uint32_t> indices, std::vector<uint32_t> attributes,
           uint32_t subsetCount)
    : vertices_(vertices.begin(), vertices.end()) {
    const size_t faces = std::min(indices.size() / 3, attributes.size());
    for (size_t f = 0; f < faces; ++f) {
        const uint32_t* corner = &indices[f * 3];
        if (attributes[f] >= subsetCount) continue;
        if (corner[0] >= vertices_.size() || corner[1] >= vertices_.size() || corner[2] >= vertices_.size()) continue;
        indices_.insert(indices_.end(), corner, corner + 3);
        attributes_.push_back(attributes[f]);
    }
    ranges_.resize(subsetCount);
    BuildRanges();
}

void Mesh::BuildRanges() {
    for (Range& range : ranges_) range = {};
    // Faces of one subset may be scattered before Optimize; a range then
    // covers only the first run, so meshes are always optimised after load.
    for (uint32_t f = 0; f < attributes_.size();) {
        uint32_t end = f;
        while (end < attributes_.size() && attributes_[end] == attributes_[f]) ++end;
        Range& range = ranges_[attributes_[f]];
        if (range.faceCount == 0) range = {f, end - f};
        f = end;
    }
}

void Mesh::Optimize() {
    std::vector<uint32_t> order(attributes_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [this](uint32_t a, uint32_t b) { return attributes_[a] < attributes_[b]; });

    constexpr uint32_t kUnused = UINT32_MAX;
    std::vector<uint32_t> newIndexOf(vertices_.size(), kUnused);
    decltype(vertices_) vertices;
    decltype(indices_) indices;
    decltype(attributes_) attributes;
    vertices.reserve(vertices_.size());
    indices.reserve(indices_.size());
    attributes.reserve(attributes_.size());
    for (uint32_t face : order) {
        for (int c = 0; c < 3; ++c) {
            const uint32_t old = indices_[face * 3 + c];
            if (newIndexOf[old] == kUnused) {
                newIndexOf[old] = static_cast<uint32_t>(vertices.size());
                vertices.push_back(vertices_[old]);
            }
            indices.push_back(newIndexOf[old]);
        }
        attributes.push_back(attributes_[face]);
    }
    vertices_ = std::move(vertices);
    indices_ = std::move(indices);
    attributes_ = std::move(attributes);
    buffers_.reset();
    BuildRanges();
}

void Mesh::DrawSubset(Device& device, uint32_t subset) {
    if (subset >= ranges_.size() || ranges_[subset].faceCount == 0) return;
    const Range& range = ranges_[subset];
    if (!buffers_ || buffers_->deviceSerial != device.serial()) {
        buffers_ = device.CreateMeshBuffers(vertices_.data(), VertexCount(), kFvf, indices_.data(),
                                            uint32_t(indices_.size()));
        if (buffers_) buffers_->deviceSerial = device.serial();
    }
    if (buffers_) {
        device.DrawIndexedPrimitive(*buffers_, range.faceStart * 3, range.faceCount);
    } else {
        device.DrawIndexedPrimitiveUP(kPtTriangleList, VertexCount(), range.faceCount, &indices_[range.faceStart * 3],
                                      vertices_.data(), kFvf);
    }
}

}  // namespace gfx
