// The six meshes parse with the game's reader, carry the subsets and texture
// names the scene relies on, and land where the table's measurements need
// them once the scene has fitted them: the playing surface at its height
// inside cushions where disc centres stop, holes in the corners deep enough
// to show a pocketed disc, discs a disc diameter across standing on the
// surface, and the cue reaching back from the striker.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "built_package.h"
#include "game/table_geometry.h"
#include "platform/gfx/gfx_xfile.h"

namespace {

using namespace table;
using gfx::XFileData;

// Through the reader the game loads its meshes with.
XFileData Load(const char* name) {
    const std::vector<uint8_t> bytes = PackageEntryBytes(name);
    XFileData mesh;
    std::string error;
    EXPECT_TRUE(
        gfx::ReadXFile(reinterpret_cast<const char*>(bytes.data()), bytes.size(), mesh, error))
        << name << ": " << error;
    return mesh;
}

std::size_t FaceCount(const XFileData& mesh) {
    return mesh.attributes.size();
}

// What the scene does to a loaded mesh: the box's minimum corner starts at
// (999, 999, 999) and its maximum at the origin; every position is scaled by
// size x 1.5 / the box's largest side, after moving the box centre to the
// origin when centred.
void FitSize(XFileData& mesh, float size, bool centre) {
    std::array<float, 3> lo = {999, 999, 999}, hi = {0, 0, 0};
    for (const gfx::MeshVertex& v : mesh.vertices)
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], v.position[i]);
            hi[i] = std::max(hi[i], v.position[i]);
        }
    const float extent = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    const float scale = size / extent * 1.5f;
    for (gfx::MeshVertex& v : mesh.vertices)
        for (int i = 0; i < 3; ++i) {
            float& p = v.position[i];
            p = ((centre ? p - lo[i] - (hi[i] - lo[i]) / 2 : p)) * scale;
        }
}

struct Box {
    std::array<float, 3> lo = {1e9f, 1e9f, 1e9f}, hi = {-1e9f, -1e9f, -1e9f};
};

// The box of the vertices used by the faces of one subset (-1: all).
Box SubsetBox(const XFileData& mesh, int subset) {
    Box box;
    for (std::size_t f = 0; f < FaceCount(mesh); ++f) {
        if (subset >= 0 && mesh.attributes[f] != unsigned(subset)) continue;
        for (std::size_t corner = 0; corner < 3; ++corner)
            for (int i = 0; i < 3; ++i) {
                const float p = mesh.vertices[mesh.indices[f * 3 + corner]].position[i];
                box.lo[i] = std::min(box.lo[i], p);
                box.hi[i] = std::max(box.hi[i], p);
            }
    }
    return box;
}

std::vector<unsigned> SubsetVertices(const XFileData& mesh, unsigned subset) {
    std::vector<unsigned> out;
    for (std::size_t f = 0; f < FaceCount(mesh); ++f)
        if (mesh.attributes[f] == subset)
            out.insert(out.end(), mesh.indices.begin() + f * 3, mesh.indices.begin() + f * 3 + 3);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

float DistanceToNearestHole(float x, float z) {
    return std::hypot(std::fabs(x) - kHoleCenter, std::fabs(z) - kHoleCenter);
}

}  // namespace

TEST(MeshEntries, TablesHaveSurfaceAndBorderSubsetsWithTheTableTextures) {
    for (const char* name : {"mesa.x", "mesalow.x"}) {
        const XFileData mesh = Load(name);
        ASSERT_EQ(mesh.materials.size(), 2u) << name;
        EXPECT_EQ(mesh.materials[0].texture, "mesa1.tga") << name;
        EXPECT_EQ(mesh.materials[1].texture, "mesa2.tga") << name;
        // The reader refuses texture coordinates that miss a position and
        // leaves them all 0 when the file has none.
        EXPECT_TRUE(std::any_of(mesh.vertices.begin(), mesh.vertices.end(),
                                [](const gfx::MeshVertex& v) { return v.u != 0 || v.v != 0; }))
            << name << " has no texture coordinates";
    }
    EXPECT_LT(FaceCount(Load("mesalow.x")), FaceCount(Load("mesa.x")));
}

TEST(MeshEntries, FittedTableLaysTheSurfaceAtTheGamesNumbers) {
    for (const char* name : {"mesa.x", "mesalow.x"}) {
        XFileData mesh = Load(name);
        ASSERT_EQ(mesh.materials.size(), 2u);
        FitSize(mesh, 47.0f, true);
        const Box surface = SubsetBox(mesh, 0), border = SubsetBox(mesh, 1);
        EXPECT_NEAR(surface.hi[1], kSurfaceY, 0.01f) << name;
        for (int axis : {0, 2}) {
            EXPECT_NEAR(surface.lo[axis], -kCushionFace, 0.01f) << name;
            EXPECT_NEAR(surface.hi[axis], kCushionFace, 0.01f) << name;
            EXPECT_GT(border.hi[axis], kCushionFace + 0.5f) << name;
        }
        EXPECT_GT(border.hi[1], kSurfaceY + 0.8f)
            << name << ": the cushions must stand above a disc";
        // Everything of the surface below its level is a hole: near a hole
        // centre, wide enough for a disc, and deeper than a pocketed disc.
        float deepest = kSurfaceY, widest = 0;
        for (unsigned v : SubsetVertices(mesh, 0)) {
            const gfx::Vector3& p = mesh.vertices[v].position;
            if (p.y > kSurfaceY - 0.01f) continue;
            const float d = DistanceToNearestHole(p.x, p.z);
            EXPECT_LT(d, kHoleCaptureRadius) << name << " has a dent away from the holes";
            deepest = std::min(deepest, p.y);
            widest = std::max(widest, d);
        }
        EXPECT_LE(deepest, kPocketedDiscY) << name;
        EXPECT_GT(widest, kDiscRadius) << name;
    }
}

// The surface's texture coordinates put the painted holes over the holes of
// the mesh and the red shooting lines on the strip in front of each player.
TEST(MeshEntries, SurfaceTextureMatchesTheTableLayout) {
    XFileData mesh = Load("mesa.x");
    FitSize(mesh, 47.0f, true);
    const std::vector<uint8_t> bytes = PackageEntryBytes("mesa1.tga");
    int w = 0, h = 0, n = 0;
    uint8_t* tex = stbi_load_from_memory(bytes.data(), int(bytes.size()), &w, &h, &n, 3);
    ASSERT_NE(tex, nullptr);
    // u and v are linear in x and z over the flat surface: find the map from
    // the surface's extreme vertices.
    float x0 = 1e9f, x1 = -1e9f, u0 = 0, u1 = 0, z0 = 1e9f, z1 = -1e9f, v0 = 0, v1 = 0;
    for (unsigned i : SubsetVertices(mesh, 0)) {
        const gfx::MeshVertex& vertex = mesh.vertices[i];
        const gfx::Vector3& p = vertex.position;
        if (std::fabs(p.y - kSurfaceY) > 0.01f) continue;
        if (p.x < x0) x0 = p.x, u0 = vertex.u;
        if (p.x > x1) x1 = p.x, u1 = vertex.u;
        if (p.z < z0) z0 = p.z, v0 = vertex.v;
        if (p.z > z1) z1 = p.z, v1 = vertex.v;
    }
    auto texel = [&](float x, float z) {
        const float u = u0 + (u1 - u0) * (x - x0) / (x1 - x0),
                    v = v0 + (v1 - v0) * (z - z0) / (z1 - z0);
        const int tx = std::clamp(int(u * w), 0, w - 1), ty = std::clamp(int(v * h), 0, h - 1);
        const uint8_t* t = tex + (std::size_t(ty) * w + tx) * 3;
        return std::array<int, 3>{t[0], t[1], t[2]};
    };
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f}) {
            const auto hole = texel(sx * kHoleCenter, sz * kHoleCenter);
            EXPECT_LT(hole[0] + hole[1] + hole[2], 120) << "painted hole at " << sx << "," << sz;
        }
    auto redAcross = [&](float x, float zFrom, float zTo) {
        for (float z = zFrom; z <= zTo; z += 0.05f) {
            const auto c = texel(x, z);
            if (c[0] > 140 && c[1] < 90 && c[2] < 90) return true;
        }
        return false;
    };
    for (float side : {-1.0f, 1.0f}) {
        for (float x : {-15.0f, 0.0f, 15.0f}) {
            EXPECT_TRUE(redAcross(x, side > 0 ? kShootingStripNearZ : -kShootingStripFarZ,
                                  side > 0 ? kShootingStripFarZ : -kShootingStripNearZ))
                << x << "," << side;
            EXPECT_FALSE(redAcross(x, side > 0 ? 10.0f : -18.5f, side > 0 ? 18.5f : -10.0f))
                << x << "," << side;
        }
    }
    stbi_image_free(tex);
}

TEST(MeshEntries, BaseLandsWhereTheTableDoes) {
    XFileData table = Load("mesa.x"), base = Load("base.x");
    ASSERT_FALSE(base.materials.empty());
    FitSize(table, 47.0f, true);
    FitSize(base, 47.0f, true);
    const Box t = SubsetBox(table, -1), b = SubsetBox(base, -1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(b.lo[i], t.lo[i], 0.01f);
        EXPECT_NEAR(b.hi[i], t.hi[i], 0.01f);
    }
    // Drawn over the reflections, it must leave the playing field free.
    for (const gfx::MeshVertex& v : base.vertices)
        EXPECT_TRUE(std::fabs(v.position.x) >= kCushionFace - 0.01f ||
                    std::fabs(v.position.z) >= kCushionFace - 0.01f);
}

TEST(MeshEntries, FittedDiscsAre4Point3AcrossStandingOnTheSurface) {
    for (const char* name : {"peao.x", "peaolow.x"}) {
        XFileData mesh = Load(name);
        ASSERT_GE(mesh.materials.size(), 1u) << name;
        EXPECT_EQ(mesh.materials[0].texture, "") << name << ": the scene colours subset 0";
        FitSize(mesh, 3.08f, false);
        const Box body = SubsetBox(mesh, 0);
        float radius = 0;
        for (unsigned v : SubsetVertices(mesh, 0))
            radius = std::max(radius,
                              std::hypot(mesh.vertices[v].position.x, mesh.vertices[v].position.z));
        EXPECT_NEAR(radius, kDiscRadius, 0.03f) << name;
        EXPECT_NEAR(body.lo[1], 0.0f, 0.02f) << name;
        EXPECT_GT(body.hi[1], 0.4f) << name;
        // A pocketed disc stays below the surface, inside its hole.
        EXPECT_LT(kPocketedDiscY + body.hi[1], kSurfaceY) << name;
        EXPECT_NEAR(body.lo[0], -body.hi[0], 0.02f) << name;
        EXPECT_NEAR(body.lo[2], -body.hi[2], 0.02f) << name;
    }
    EXPECT_LT(FaceCount(Load("peaolow.x")), FaceCount(Load("peao.x")));
}

TEST(MeshEntries, FittedCueRunsBackFromItsTipWithTheCueTexture) {
    XFileData mesh = Load("bastao.x");
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].texture, "bastao.tga");
    FitSize(mesh, 22.0f, false);
    const Box box = SubsetBox(mesh, 0);
    // The scene puts the tip 2.5 behind the striker's centre: it must not
    // reach into the striker (radius 2.15).
    EXPECT_GT(box.lo[2], -(2.5f - kDiscRadius));
    EXPECT_GT(box.hi[2], 25.0f);
    EXPECT_LT(box.hi[0] - box.lo[0], 2.0f);
    EXPECT_NEAR(box.lo[0], -box.hi[0], 0.01f);
}
