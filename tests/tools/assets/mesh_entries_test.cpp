// The six meshes parse, carry the subsets and texture names the scene
// relies on, and land where the game's numbers need them once the scene has
// fitted them: the playing surface at height 1.2 inside cushions where disc
// centres stop (+-32 for a disc 4.3 across), holes at (+-25.5, +-25.5) deep
// enough to show a pocketed disc at -1.2, discs 4.3 across standing on the
// surface, and the cue reaching back from the striker.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "built_package.h"
#include "tools/contactsheet/x_text_reader.h"

namespace {

constexpr float kSurfaceY = 1.2f;
constexpr float kDiscRadius = 4.3f / 2;
constexpr float kCushionFace = 32.0f + kDiscRadius;
constexpr float kHoleCenter = 25.5f;
constexpr float kPocketedY = -1.2f;

XTextMesh Load(const char* name) {
    const std::vector<uint8_t> bytes = PackageEntryBytes(name);
    XTextMesh mesh;
    std::string error;
    EXPECT_TRUE(ReadXText(std::string(bytes.begin(), bytes.end()), mesh, error))
        << name << ": " << error;
    return mesh;
}

// What the scene does to a loaded mesh: the box's minimum corner starts at
// (999, 999, 999) and its maximum at the origin; every position is scaled by
// size x 1.5 / the box's largest side, after moving the box centre to the
// origin when centred.
void FitSize(XTextMesh& mesh, float size, bool centre) {
    std::array<float, 3> lo = {999, 999, 999}, hi = {0, 0, 0};
    for (const auto& p : mesh.positions)
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i]);
            hi[i] = std::max(hi[i], p[i]);
        }
    const float extent = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    const float scale = size / extent * 1.5f;
    for (auto& p : mesh.positions)
        for (int i = 0; i < 3; ++i)
            p[i] = ((centre ? p[i] - lo[i] - (hi[i] - lo[i]) / 2 : p[i])) * scale;
}

struct Box {
    std::array<float, 3> lo = {1e9f, 1e9f, 1e9f}, hi = {-1e9f, -1e9f, -1e9f};
};

// The box of the vertices used by the faces of one subset (-1: all).
Box SubsetBox(const XTextMesh& mesh, int subset) {
    Box box;
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        if (subset >= 0 && mesh.faceSubset[f] != unsigned(subset)) continue;
        for (unsigned v : mesh.faces[f])
            for (int i = 0; i < 3; ++i) {
                box.lo[i] = std::min(box.lo[i], mesh.positions[v][i]);
                box.hi[i] = std::max(box.hi[i], mesh.positions[v][i]);
            }
    }
    return box;
}

std::vector<unsigned> SubsetVertices(const XTextMesh& mesh, unsigned subset) {
    std::vector<unsigned> out;
    for (std::size_t f = 0; f < mesh.faces.size(); ++f)
        if (mesh.faceSubset[f] == subset)
            out.insert(out.end(), mesh.faces[f].begin(), mesh.faces[f].end());
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
        const XTextMesh mesh = Load(name);
        ASSERT_EQ(mesh.materials.size(), 2u) << name;
        EXPECT_EQ(mesh.materials[0].texture, "mesa1.tga") << name;
        EXPECT_EQ(mesh.materials[1].texture, "mesa2.tga") << name;
        EXPECT_EQ(mesh.uv.size(), mesh.positions.size()) << name;
    }
    EXPECT_LT(Load("mesalow.x").faces.size(), Load("mesa.x").faces.size());
}

TEST(MeshEntries, FittedTableLaysTheSurfaceAtTheGamesNumbers) {
    for (const char* name : {"mesa.x", "mesalow.x"}) {
        XTextMesh mesh = Load(name);
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
            const auto& p = mesh.positions[v];
            if (p[1] > kSurfaceY - 0.01f) continue;
            const float d = DistanceToNearestHole(p[0], p[2]);
            EXPECT_LT(d, 4.4f) << name << " has a dent away from the holes";
            deepest = std::min(deepest, p[1]);
            widest = std::max(widest, d);
        }
        EXPECT_LE(deepest, kPocketedY) << name;
        EXPECT_GT(widest, kDiscRadius) << name;
    }
}

// The surface's texture coordinates put the painted holes over the holes of
// the mesh and the red shooting lines on the strip in front of each player.
TEST(MeshEntries, SurfaceTextureMatchesTheTableLayout) {
    XTextMesh mesh = Load("mesa.x");
    FitSize(mesh, 47.0f, true);
    const std::vector<uint8_t> bytes = PackageEntryBytes("mesa1.tga");
    int w = 0, h = 0, n = 0;
    uint8_t* tex = stbi_load_from_memory(bytes.data(), int(bytes.size()), &w, &h, &n, 3);
    ASSERT_NE(tex, nullptr);
    // u and v are linear in x and z over the flat surface: find the map from
    // the surface's extreme vertices.
    float x0 = 1e9f, x1 = -1e9f, u0 = 0, u1 = 0, z0 = 1e9f, z1 = -1e9f, v0 = 0, v1 = 0;
    for (unsigned i : SubsetVertices(mesh, 0)) {
        const auto& p = mesh.positions[i];
        if (std::fabs(p[1] - kSurfaceY) > 0.01f) continue;
        if (p[0] < x0) x0 = p[0], u0 = mesh.uv[i][0];
        if (p[0] > x1) x1 = p[0], u1 = mesh.uv[i][0];
        if (p[2] < z0) z0 = p[2], v0 = mesh.uv[i][1];
        if (p[2] > z1) z1 = p[2], v1 = mesh.uv[i][1];
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
            EXPECT_TRUE(redAcross(x, side > 0 ? 19.3f : -24.0f, side > 0 ? 24.0f : -19.3f))
                << x << "," << side;
            EXPECT_FALSE(redAcross(x, side > 0 ? 10.0f : -18.5f, side > 0 ? 18.5f : -10.0f))
                << x << "," << side;
        }
    }
    stbi_image_free(tex);
}

TEST(MeshEntries, BaseLandsWhereTheTableDoes) {
    XTextMesh table = Load("mesa.x"), base = Load("base.x");
    ASSERT_FALSE(base.materials.empty());
    FitSize(table, 47.0f, true);
    FitSize(base, 47.0f, true);
    const Box t = SubsetBox(table, -1), b = SubsetBox(base, -1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(b.lo[i], t.lo[i], 0.01f);
        EXPECT_NEAR(b.hi[i], t.hi[i], 0.01f);
    }
    // Drawn over the reflections, it must leave the playing field free.
    for (const auto& p : base.positions)
        EXPECT_TRUE(std::fabs(p[0]) >= kCushionFace - 0.01f ||
                    std::fabs(p[2]) >= kCushionFace - 0.01f);
}

TEST(MeshEntries, FittedDiscsAre4Point3AcrossStandingOnTheSurface) {
    for (const char* name : {"peao.x", "peaolow.x"}) {
        XTextMesh mesh = Load(name);
        ASSERT_GE(mesh.materials.size(), 1u) << name;
        EXPECT_EQ(mesh.materials[0].texture, "") << name << ": the scene colours subset 0";
        FitSize(mesh, 3.08f, false);
        const Box body = SubsetBox(mesh, 0);
        float radius = 0;
        for (unsigned v : SubsetVertices(mesh, 0))
            radius = std::max(radius, std::hypot(mesh.positions[v][0], mesh.positions[v][2]));
        EXPECT_NEAR(radius, kDiscRadius, 0.03f) << name;
        EXPECT_NEAR(body.lo[1], 0.0f, 0.02f) << name;
        EXPECT_GT(body.hi[1], 0.4f) << name;
        // A pocketed disc at -1.2 stays below the surface, inside its hole.
        EXPECT_LT(kPocketedY + body.hi[1], kSurfaceY) << name;
        EXPECT_NEAR(body.lo[0], -body.hi[0], 0.02f) << name;
        EXPECT_NEAR(body.lo[2], -body.hi[2], 0.02f) << name;
    }
    EXPECT_LT(Load("peaolow.x").faces.size(), Load("peao.x").faces.size());
}

TEST(MeshEntries, FittedCueRunsBackFromItsTipWithTheCueTexture) {
    XTextMesh mesh = Load("bastao.x");
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
