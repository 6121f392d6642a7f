#include "platform/gfx/gfx_mesh.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <numeric>

namespace gfx {

Mesh::Mesh(std::vector<MeshVertex> vertices, std::vector<uint32_t> indices,
           std::vector<uint32_t> attributes, uint32_t subsetCount)
    : vertices_(vertices.begin(), vertices.end()) {
    const size_t faces = std::min(indices.size() / 3, attributes.size());
    for (size_t f = 0; f < faces; ++f) {
        const uint32_t* corner = &indices[f * 3];
        if (attributes[f] >= subsetCount) continue;
        if (corner[0] >= vertices_.size() || corner[1] >= vertices_.size() ||
            corner[2] >= vertices_.size())
            continue;
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
    // Attribute sort: each subset's faces become one run, in subset order.
    std::vector<uint32_t> order(attributes_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [this](uint32_t a, uint32_t b) { return attributes_[a] < attributes_[b]; });
    std::vector<uint32_t> indices(indices_.size());
    decltype(attributes_) attributes(attributes_.size());
    for (size_t f = 0; f < order.size(); ++f) {
        std::copy_n(&indices_[order[f] * 3], 3, &indices[f * 3]);
        attributes[f] = attributes_[order[f]];
    }
    attributes_ = std::move(attributes);
    BuildRanges();

    // Within each run, faces in the order that reuses the most recently
    // transformed vertices.
    std::vector<uint32_t> reordered(indices.size());
    for (const Range& range : ranges_) {
        if (range.faceCount == 0) continue;
        meshopt_optimizeVertexCache(&reordered[range.faceStart * 3], &indices[range.faceStart * 3],
                                    size_t(range.faceCount) * 3, vertices_.size());
    }

    // Vertices in the order the faces first use them; unused ones dropped.
    decltype(vertices_) vertices(vertices_.size());
    const size_t used =
        meshopt_optimizeVertexFetch(vertices.data(), reordered.data(), reordered.size(),
                                    vertices_.data(), vertices_.size(), sizeof(MeshVertex));
    vertices.resize(used);
    vertices_ = std::move(vertices);
    indices_.assign(reordered.begin(), reordered.end());
    buffers_.reset();
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
        device.DrawIndexedPrimitiveUP(kPtTriangleList, VertexCount(), range.faceCount,
                                      &indices_[range.faceStart * 3], vertices_.data(), kFvf);
    }
}

}  // namespace gfx
