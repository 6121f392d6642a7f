#include "platform/gfx/gfx_shapes.h"

#include <cmath>
#include <numbers>

namespace gfx {

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// Collects vertices and triangles, turning each triangle so that it runs
// clockwise seen from the side its normals face.
struct Builder {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;

    uint32_t Vertex(Vector3 position, Vector3 normal, float u, float v) {
        vertices.push_back({position, glm::normalize(normal), u, v});
        return uint32_t(vertices.size() - 1);
    }
    void Triangle(uint32_t a, uint32_t b, uint32_t c) {
        const Vector3 pa = vertices[a].position;
        const Vector3 area = glm::cross(vertices[b].position - pa, vertices[c].position - pa);
        if (glm::dot(area, area) < 1e-14f) return;
        const Vector3 facing = vertices[a].normal + vertices[b].normal + vertices[c].normal;
        if (glm::dot(area, facing) < 0) std::swap(b, c);
        indices.insert(indices.end(), {a, b, c});
    }
    void Quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
        Triangle(a, b, c);
        Triangle(a, c, d);
    }
    std::unique_ptr<Mesh> Finish() {
        if (indices.empty()) return nullptr;
        std::vector<uint32_t> attributes(indices.size() / 3, 0);
        auto mesh = std::make_unique<Mesh>(std::move(vertices), std::move(indices),
                                           std::move(attributes), 1);
        mesh->Optimize();
        return mesh;
    }
};

bool Positive(float v) {
    return std::isfinite(v) && v > 0;
}

}  // namespace

std::unique_ptr<Mesh> CreateBox(float width, float height, float depth) {
    if (!Positive(width) || !Positive(height) || !Positive(depth)) return nullptr;
    const Vector3 half{width / 2, height / 2, depth / 2};
    Builder b;
    for (int axis = 0; axis < 3; ++axis) {
        for (float sign : {-1.0f, 1.0f}) {
            Vector3 normal{0, 0, 0};
            normal[axis] = sign;
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            uint32_t corner[4];
            for (int i = 0; i < 4; ++i) {
                Vector3 p;
                p[axis] = sign * half[axis];
                p[u] = (i == 1 || i == 2 ? 1 : -1) * half[u];
                p[v] = (i >= 2 ? 1 : -1) * half[v];
                corner[i] = b.Vertex(p, normal, float(i == 1 || i == 2), float(i >= 2));
            }
            b.Quad(corner[0], corner[1], corner[2], corner[3]);
        }
    }
    return b.Finish();
}

std::unique_ptr<Mesh> CreateSphere(float radius, uint32_t slices, uint32_t stacks) {
    if (!Positive(radius) || slices < 2 || stacks < 2) return nullptr;
    Builder b;
    for (uint32_t i = 0; i <= stacks; ++i) {
        const float theta = std::numbers::pi_v<float> * float(i) / float(stacks);
        for (uint32_t j = 0; j <= slices; ++j) {
            const float phi = kTwoPi * float(j) / float(slices);
            const Vector3 n{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                            std::cos(theta)};
            b.Vertex(n * radius, n, float(j) / float(slices), float(i) / float(stacks));
        }
    }
    for (uint32_t i = 0; i < stacks; ++i) {
        for (uint32_t j = 0; j < slices; ++j) {
            const uint32_t a = i * (slices + 1) + j, c = a + slices + 1;
            b.Quad(a, a + 1, c + 1, c);
        }
    }
    return b.Finish();
}

std::unique_ptr<Mesh> CreateTorus(float innerRadius, float outerRadius, uint32_t sides,
                                  uint32_t rings) {
    if (!Positive(innerRadius) || !Positive(outerRadius) || sides < 3 || rings < 3) return nullptr;
    Builder b;
    for (uint32_t i = 0; i <= rings; ++i) {
        const float ring = kTwoPi * float(i) / float(rings);
        const Vector3 centre{std::cos(ring) * outerRadius, std::sin(ring) * outerRadius, 0};
        for (uint32_t j = 0; j <= sides; ++j) {
            const float side = kTwoPi * float(j) / float(sides);
            const Vector3 n{std::cos(side) * std::cos(ring), std::cos(side) * std::sin(ring),
                            std::sin(side)};
            b.Vertex(centre + n * innerRadius, n, float(i) / float(rings), float(j) / float(sides));
        }
    }
    for (uint32_t i = 0; i < rings; ++i) {
        for (uint32_t j = 0; j < sides; ++j) {
            const uint32_t a = i * (sides + 1) + j, c = a + sides + 1;
            b.Quad(a, a + 1, c + 1, c);
        }
    }
    return b.Finish();
}

std::unique_ptr<Mesh> CreateCylinder(float radius1, float radius2, float length, uint32_t slices,
                                     uint32_t stacks) {
    if (radius1 < 0 || radius2 < 0 || !(radius1 + radius2 > 0) || !Positive(length) || slices < 3 ||
        stacks < 1)
        return nullptr;
    Builder b;
    // The side's normals lean by the slope between the two radii.
    const float slope = (radius1 - radius2) / length;
    for (uint32_t i = 0; i <= stacks; ++i) {
        const float t = float(i) / float(stacks);
        const float r = radius1 + (radius2 - radius1) * t, z = -length / 2 + length * t;
        for (uint32_t j = 0; j <= slices; ++j) {
            const float a = kTwoPi * float(j) / float(slices);
            b.Vertex({std::cos(a) * r, std::sin(a) * r, z}, {std::cos(a), std::sin(a), slope},
                     float(j) / float(slices), t);
        }
    }
    for (uint32_t i = 0; i < stacks; ++i) {
        for (uint32_t j = 0; j < slices; ++j) {
            const uint32_t a = i * (slices + 1) + j, c = a + slices + 1;
            b.Quad(a, a + 1, c + 1, c);
        }
    }
    for (float sign : {-1.0f, 1.0f}) {
        const float r = sign < 0 ? radius1 : radius2;
        if (r <= 0) continue;
        const uint32_t centre = b.Vertex({0, 0, sign * length / 2}, {0, 0, sign}, 0.5f, 0.5f);
        const uint32_t first = uint32_t(b.vertices.size());
        for (uint32_t j = 0; j <= slices; ++j) {
            const float a = kTwoPi * float(j) / float(slices);
            b.Vertex({std::cos(a) * r, std::sin(a) * r, sign * length / 2}, {0, 0, sign},
                     0.5f + std::cos(a) / 2, 0.5f + std::sin(a) / 2);
        }
        for (uint32_t j = 0; j < slices; ++j) b.Triangle(centre, first + j, first + j + 1);
    }
    return b.Finish();
}

}  // namespace gfx
