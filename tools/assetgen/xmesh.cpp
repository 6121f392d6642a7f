#include "tools/assetgen/xmesh.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen {

Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Normalized(Vec3 v) {
    const float len = std::sqrt(Dot(v, v));
    return len > 0 ? v * (1.0f / len) : v;
}

std::uint32_t XMesh::AddMaterial(const MeshMaterial& material) {
    materials_.push_back(material);
    return std::uint32_t(materials_.size() - 1);
}

std::uint32_t XMesh::AddVertex(const MeshVertex& vertex) {
    vertices_.push_back(vertex);
    return std::uint32_t(vertices_.size() - 1);
}

void XMesh::AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t subset) {
    const Vec3 pa = vertices_[a].position, pb = vertices_[b].position, pc = vertices_[c].position;
    const Vec3 faceNormal = Cross(pb - pa, pc - pa);
    if (Dot(faceNormal, faceNormal) < 1e-12f) return;
    const Vec3 wanted = vertices_[a].normal + vertices_[b].normal + vertices_[c].normal;
    // With the usual cross product, a positive dot product means the corners
    // run clockwise seen from the front in a left-handed frame.
    if (Dot(faceNormal, wanted) < 0) std::swap(b, c);
    faces_.push_back({{a, b, c}, subset});
}

void XMesh::AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                    std::uint32_t subset) {
    AddTriangle(a, b, c, subset);
    AddTriangle(a, c, d, subset);
}

namespace {

std::string Number(float v) {
    std::ostringstream s;
    s.precision(6);
    s << std::fixed << v;
    return s.str();
}

const char* Separator(std::size_t i, std::size_t count) {
    return i + 1 < count ? "," : ";";
}

}  // namespace

void XMesh::WriteX(const std::filesystem::path& path) const {
    std::ostringstream x;
    x << "xof 0303txt 0032\n\n";
    x << "Mesh " << path.stem().string() << " {\n";
    x << " " << vertices_.size() << ";\n";
    for (std::size_t i = 0; i < vertices_.size(); ++i) {
        const Vec3& p = vertices_[i].position;
        x << " " << Number(p.x) << ";" << Number(p.y) << ";" << Number(p.z) << ";"
          << Separator(i, vertices_.size()) << "\n";
    }
    auto writeFaces = [&](const char* indent) {
        x << indent << faces_.size() << ";\n";
        for (std::size_t i = 0; i < faces_.size(); ++i) {
            const Face& f = faces_[i];
            x << indent << "3;" << f.index[0] << "," << f.index[1] << "," << f.index[2] << ";"
              << Separator(i, faces_.size()) << "\n";
        }
    };
    writeFaces(" ");

    x << "\n MeshNormals {\n";
    x << "  " << vertices_.size() << ";\n";
    for (std::size_t i = 0; i < vertices_.size(); ++i) {
        const Vec3 n = Normalized(vertices_[i].normal);
        x << "  " << Number(n.x) << ";" << Number(n.y) << ";" << Number(n.z) << ";"
          << Separator(i, vertices_.size()) << "\n";
    }
    writeFaces("  ");
    x << " }\n";

    x << "\n MeshTextureCoords {\n";
    x << "  " << vertices_.size() << ";\n";
    for (std::size_t i = 0; i < vertices_.size(); ++i)
        x << "  " << Number(vertices_[i].u) << ";" << Number(vertices_[i].v) << ";"
          << Separator(i, vertices_.size()) << "\n";
    x << " }\n";

    x << "\n MeshMaterialList {\n";
    x << "  " << materials_.size() << ";\n";
    x << "  " << faces_.size() << ";\n";
    for (std::size_t i = 0; i < faces_.size(); ++i)
        x << "  " << faces_[i].subset << Separator(i, faces_.size()) << "\n";
    for (const MeshMaterial& m : materials_) {
        x << "\n  Material {\n";
        x << "   " << Number(m.diffuse[0]) << ";" << Number(m.diffuse[1]) << ";"
          << Number(m.diffuse[2]) << ";" << Number(m.diffuse[3]) << ";;\n";
        x << "   " << Number(m.power) << ";\n";
        x << "   " << Number(m.specular[0]) << ";" << Number(m.specular[1]) << ";"
          << Number(m.specular[2]) << ";;\n";
        x << "   " << Number(m.emissive[0]) << ";" << Number(m.emissive[1]) << ";"
          << Number(m.emissive[2]) << ";;\n";
        if (!m.texture.empty()) x << "\n   TextureFilename {\n    \"" << m.texture << "\";\n   }\n";
        x << "  }\n";
    }
    x << " }\n";
    x << "}\n";

    std::ofstream out(path, std::ios::binary);
    out << x.str();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace assetgen
