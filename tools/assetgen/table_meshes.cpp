#include "tools/assetgen/table_meshes.h"

#include <array>
#include <cmath>
#include <vector>

#include "game/table_geometry.h"

namespace assetgen {

namespace {

using namespace table;

constexpr float kPi = 3.14159265f;
// Each hole sits in a square patch of half-size 5 around its centre; the rest
// of the surface is a grid on the lines of these patches.
constexpr float kPatchHalf = 5.0f;

struct Detail {
    float step;       // target spacing of surface and rim vertices
    int segsPerSide;  // hole patch boundary points per side (4 x this around a hole)
};

MeshMaterial SurfaceMaterial() {
    MeshMaterial m;
    m.diffuse[0] = m.diffuse[1] = m.diffuse[2] = 0.6f;
    m.specular[0] = m.specular[1] = m.specular[2] = 0.15f;
    m.power = 80;
    m.texture = "mesa1.tga";
    return m;
}

MeshMaterial RimMaterial() {
    MeshMaterial m;
    m.texture = "mesa2.tga";
    return m;
}

int Segments(float length, float step) {
    return std::max(1, int(std::ceil(length / step - 1e-3f)));
}

MeshVertex SurfacePoint(float x, float z) {
    return {{x, kSurfaceY, z}, {0, 1, 0}, SurfaceU(x), SurfaceV(z)};
}

// A rectangle of the playing surface as a grid of quads.
void AddSurfaceCell(XMesh& mesh, std::uint32_t subset, float x0, float x1, float z0, float z1,
                    int nx, int nz) {
    std::vector<std::uint32_t> idx;
    for (int j = 0; j <= nz; ++j)
        for (int i = 0; i <= nx; ++i)
            idx.push_back(
                mesh.AddVertex(SurfacePoint(x0 + (x1 - x0) * i / nx, z0 + (z1 - z0) * j / nz)));
    auto at = [&](int i, int j) { return idx[std::size_t(j * (nx + 1) + i)]; };
    for (int j = 0; j < nz; ++j)
        for (int i = 0; i < nx; ++i)
            mesh.AddQuad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1), subset);
}

// The square patch around one hole: a ring from the hole's edge out to the
// patch border, then the shaft and its floor. Border points are spaced evenly
// along each side so they meet the neighbouring grid cells' vertices exactly.
void AddHolePatch(XMesh& mesh, std::uint32_t subset, float hx, float hz, int perSide) {
    std::vector<std::array<float, 2>> border;  // offsets from the hole centre, counter-clockwise
    const float h = kPatchHalf;
    for (int s = 0; s < 4; ++s)
        for (int k = 0; k < perSide; ++k) {
            const float t = -h + 2 * h * k / perSide;
            switch (s) {
                case 0:
                    border.push_back({h, t});
                    break;
                case 1:
                    border.push_back({-t, h});
                    break;
                case 2:
                    border.push_back({-h, -t});
                    break;
                default:
                    border.push_back({t, -h});
                    break;
            }
        }
    const std::size_t n = border.size();
    std::vector<std::uint32_t> outer, edge, wallTop, wallBottom, floorRing;
    for (const auto& b : border) {
        const float angle = std::atan2(b[1], b[0]);
        const float c = std::cos(angle), s = std::sin(angle);
        outer.push_back(mesh.AddVertex(SurfacePoint(hx + b[0], hz + b[1])));
        edge.push_back(mesh.AddVertex(SurfacePoint(hx + c * kHoleRadius, hz + s * kHoleRadius)));
        // The shaft faces inwards; its texture is taken from the dark inside of
        // the painted hole, darker towards the floor.
        const Vec3 inward{-c, 0, -s};
        wallTop.push_back(mesh.AddVertex({{hx + c * kHoleRadius, kSurfaceY, hz + s * kHoleRadius},
                                          inward,
                                          SurfaceU(hx + c * 3.0f),
                                          SurfaceV(hz + s * 3.0f)}));
        wallBottom.push_back(
            mesh.AddVertex({{hx + c * kHoleRadius, kHoleFloorY, hz + s * kHoleRadius},
                            inward,
                            SurfaceU(hx + c * 1.0f),
                            SurfaceV(hz + s * 1.0f)}));
        floorRing.push_back(
            mesh.AddVertex({{hx + c * kHoleRadius, kHoleFloorY, hz + s * kHoleRadius},
                            {0, 1, 0},
                            SurfaceU(hx + c * 0.8f),
                            SurfaceV(hz + s * 0.8f)}));
    }
    const std::uint32_t floorCenter =
        mesh.AddVertex({{hx, kHoleFloorY, hz}, {0, 1, 0}, SurfaceU(hx), SurfaceV(hz)});
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t m = (k + 1) % n;
        mesh.AddQuad(edge[k], outer[k], outer[m], edge[m], subset);
        mesh.AddQuad(wallTop[k], wallTop[m], wallBottom[m], wallBottom[k], subset);
        mesh.AddTriangle(floorCenter, floorRing[k], floorRing[m], subset);
    }
}

void AddPlayingSurface(XMesh& mesh, std::uint32_t subset, const Detail& d) {
    const std::array<float, 6> lines = {-kCushionFace,
                                        -kHoleCenter - kPatchHalf,
                                        -kHoleCenter + kPatchHalf,
                                        kHoleCenter - kPatchHalf,
                                        kHoleCenter + kPatchHalf,
                                        kCushionFace};
    auto isHoleBand = [](int i) { return i == 1 || i == 3; };
    auto segments = [&](int i) {
        return isHoleBand(i) ? d.segsPerSide
                             : Segments(lines[std::size_t(i) + 1] - lines[std::size_t(i)], d.step);
    };
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i) {
            if (isHoleBand(i) && isHoleBand(j)) {
                AddHolePatch(
                    mesh, subset, (lines[std::size_t(i)] + lines[std::size_t(i) + 1]) * 0.5f,
                    (lines[std::size_t(j)] + lines[std::size_t(j) + 1]) * 0.5f, d.segsPerSide);
                continue;
            }
            AddSurfaceCell(mesh, subset, lines[std::size_t(i)], lines[std::size_t(i) + 1],
                           lines[std::size_t(j)], lines[std::size_t(j) + 1], segments(i),
                           segments(j));
        }
}

// One side of the rim, described in a frame where the side runs along t
// (from -kRimOuterFace to +kRimOuterFace) at distance d from the centre along the outward
// direction `out`; `along` is the direction of increasing t.
void AddRimSide(XMesh& mesh, std::uint32_t subset, Vec3 out, Vec3 along, float step) {
    const int n = Segments(2 * kRimOuterFace, step);
    auto point = [&](float d, float t, float y) { return out * d + along * t + Vec3{0, y, 0}; };
    // Cross-section of the rim: inner face up from the surface, the top, and
    // the outer face down to the skirt. Corners are mitred, so at the ends of
    // the inner face t stops at +-kCushionFace and on the outer face at +-kRimOuterFace.
    struct Strip {
        float d0, y0, d1, y1;
        Vec3 normal;
        float v0, v1;
    };
    const Strip strips[] = {
        {kCushionFace, kSurfaceY, kCushionFace, kRimTopY, out * -1.0f, 0.0f, 0.2f},
        {kCushionFace, kRimTopY, kRimOuterFace, kRimTopY, {0, 1, 0}, 0.2f, 0.4f},
        {kRimOuterFace, kRimTopY, kRimOuterFace, kSkirtBottomY, out, 0.4f, 1.0f},
    };
    for (const Strip& s : strips) {
        std::vector<std::uint32_t> a, b;
        for (int i = 0; i <= n; ++i) {
            const float f = -1.0f + 2.0f * i / n;
            const float t0 = f * s.d0,
                        t1 = f * s.d1;  // mitre: the side's extent grows with its distance
            a.push_back(mesh.AddVertex({point(s.d0, t0, s.y0), s.normal, t0 / 8.0f, s.v0}));
            b.push_back(mesh.AddVertex({point(s.d1, t1, s.y1), s.normal, t1 / 8.0f, s.v1}));
        }
        for (int i = 0; i < n; ++i)
            mesh.AddQuad(a[std::size_t(i)], a[std::size_t(i) + 1], b[std::size_t(i) + 1],
                         b[std::size_t(i)], subset);
    }
}

void AddRim(XMesh& mesh, std::uint32_t subset, float step) {
    AddRimSide(mesh, subset, {1, 0, 0}, {0, 0, 1}, step);
    AddRimSide(mesh, subset, {-1, 0, 0}, {0, 0, -1}, step);
    AddRimSide(mesh, subset, {0, 0, 1}, {-1, 0, 0}, step);
    AddRimSide(mesh, subset, {0, 0, -1}, {1, 0, 0}, step);
}

}  // namespace

XMesh MakeTable(bool highDetail) {
    const Detail d = highDetail ? Detail{1.25f, 8} : Detail{2.5f, 4};
    XMesh mesh;
    const std::uint32_t surface = mesh.AddMaterial(SurfaceMaterial());  // subset 0
    const std::uint32_t rim = mesh.AddMaterial(RimMaterial());          // subset 1
    AddPlayingSurface(mesh, surface, d);
    AddRim(mesh, rim, highDetail ? 4.0f : 12.0f);
    return mesh;
}

// The base is the rim alone. The scene draws it after the translucent mirror
// images with the depth test off, so it paints the wood back over any
// reflection that spilled past the cushions. Its box equals the table's, so
// FitSize(47, centred) leaves both in the same place.
XMesh MakeBase() {
    XMesh mesh;
    const std::uint32_t rim = mesh.AddMaterial(RimMaterial());
    AddRim(mesh, rim, 4.0f);
    return mesh;
}

}  // namespace assetgen
