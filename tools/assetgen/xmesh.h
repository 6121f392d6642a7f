// An indexed triangle mesh with per-subset materials, written as a DirectX
// .x text file: one Mesh with its normals, texture coordinates and a
// material list whose materials (in file order) are the mesh's subsets.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
Vec3 Cross(Vec3 a, Vec3 b);
float Dot(Vec3 a, Vec3 b);
Vec3 Normalized(Vec3 v);

struct MeshVertex {
    Vec3 position;
    Vec3 normal;
    float u = 0, v = 0;
};

struct MeshMaterial {
    float diffuse[4] = {1, 1, 1, 1};
    float power = 0;
    float specular[3] = {0, 0, 0};
    float emissive[3] = {0, 0, 0};
    std::string texture;  // empty: untextured
};

class XMesh {
public:
    // Returns the subset number of the new material.
    std::uint32_t AddMaterial(const MeshMaterial& material);
    std::uint32_t AddVertex(const MeshVertex& vertex);

    // Adds a triangle of the given subset, ordered so that it is clockwise
    // seen from the side its vertex normals point to: Direct3D's front face
    // in its left-handed space. A triangle without area is dropped.
    void AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t subset);
    // Two triangles a-b-c and a-c-d.
    void AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                 std::uint32_t subset);

    void WriteX(const std::filesystem::path& path) const;

private:
    struct Face {
        std::uint32_t index[3];
        std::uint32_t subset;
    };
    std::vector<MeshVertex> vertices_;
    std::vector<Face> faces_;
    std::vector<MeshMaterial> materials_;
};

}  // namespace assetgen
