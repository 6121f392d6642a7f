#include "tools/assetgen/piece_meshes.h"

#include <cmath>
#include <vector>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

// A point of a profile turned about an axis: `radius` from the axis,
// `height` along it.
struct ProfilePoint {
    float radius, height;
};

// Turns a polyline profile about an axis. Every profile segment becomes a
// band with its own normals, so edges between segments stay crisp while the
// surface is smooth around the axis. `toWorld` places (radius direction
// cos/sin, height) in the mesh; u runs around, v along the axis / vScale.
template <typename ToWorld>
void AddLathe(XMesh& mesh, std::uint32_t subset, const std::vector<ProfilePoint>& profile,
              int slices, float vScale, ToWorld toWorld) {
    for (std::size_t p = 0; p + 1 < profile.size(); ++p) {
        const ProfilePoint a = profile[p], b = profile[p + 1];
        // Profiles run clockwise round the solid's cross-section (radius to
        // the right, height up), so the outward normal of a segment is
        // (-dHeight, dRadius) in (radius, height).
        const float dr = b.radius - a.radius, dh = b.height - a.height;
        const float len = std::hypot(dr, dh);
        const float nr = -dh / len, nh = dr / len;
        std::vector<std::uint32_t> ra, rb;
        for (int s = 0; s <= slices; ++s) {
            const float angle = 2 * kPi * s / slices;
            const float c = std::cos(angle), sn = std::sin(angle);
            const float u = float(s) / slices;
            ra.push_back(mesh.AddVertex({toWorld(c, sn, a.radius, a.height),
                                         toWorld(c, sn, nr, nh) - toWorld(c, sn, 0, 0), u,
                                         a.height / vScale}));
            rb.push_back(mesh.AddVertex({toWorld(c, sn, b.radius, b.height),
                                         toWorld(c, sn, nr, nh) - toWorld(c, sn, 0, 0), u,
                                         b.height / vScale}));
        }
        for (int s = 0; s < slices; ++s)
            mesh.AddQuad(ra[std::size_t(s)], ra[std::size_t(s) + 1], rb[std::size_t(s) + 1],
                         rb[std::size_t(s)], subset);
    }
}

}  // namespace

// Discs are loaded with FitSize(3.08) and not centred: scaled by
// 3.08 x 1.5 / (largest box side) = 4.62 / (largest side) about the origin,
// then drawn at (x, 1.2, z) on the table or (x, -1.2, z) in a hole. So the
// disc stands on y = 0 around the y axis. Its body must be 4.3 across (the
// physics' disc diameter), but the largest side is scaled to 4.62; the disc
// therefore carries a flat contact shadow, a dark ring from r = 2.0 to 2.31
// lying just above the surface (y = 0.03), which makes the box 4.62 wide and
// the scale exactly 1. The body is 0.9 high, well under the 1.4 of the rim.
XMesh MakeDisc(bool highDetail) {
    XMesh mesh;
    MeshMaterial body;
    body.diffuse[0] = body.diffuse[1] = 0.6f;  // the scene sets the colour per disc
    body.diffuse[2] = 0.0f;
    body.specular[0] = body.specular[1] = body.specular[2] = 0.3f;
    body.power = 50;
    const std::uint32_t bodySubset = mesh.AddMaterial(body);  // subset 0
    MeshMaterial shadow;
    shadow.diffuse[0] = shadow.diffuse[1] = shadow.diffuse[2] = 0.0f;
    shadow.diffuse[3] = 0.6f;
    const std::uint32_t shadowSubset = mesh.AddMaterial(shadow);  // subset 1

    const std::vector<ProfilePoint> profile =
        highDetail ? std::vector<ProfilePoint>{{0, 0.9f},      {1.2f, 0.9f},   {1.35f, 0.82f},
                                               {1.5f, 0.9f},   {1.95f, 0.9f},  {2.1f, 0.8f},
                                               {2.15f, 0.62f}, {2.15f, 0.28f}, {2.05f, 0.0f}}
                   : std::vector<ProfilePoint>{
                         {0, 0.9f}, {1.95f, 0.9f}, {2.15f, 0.7f}, {2.15f, 0.2f}, {1.95f, 0.0f}};
    // No underside: a disc always lies flat, on the table or in a hole, and
    // the camera stays above it. 24 slices keep a disc of some 40 pixels
    // round; 21 of them are drawn twice a frame, and on a software renderer
    // their small triangles, not their pixels, are most of a frame's cost.
    const int slices = highDetail ? 24 : 14;
    auto aroundY = [](float c, float s, float radius, float height) {
        return Vec3{c * radius, height, s * radius};
    };
    AddLathe(mesh, bodySubset, profile, slices, 1.0f, aroundY);
    AddLathe(mesh, shadowSubset, {{2.0f, 0.03f}, {2.31f, 0.03f}}, slices, 1.0f, aroundY);
    return mesh;
}

// The cue is loaded with FitSize(22), not centred: scaled by
// 22 x 1.5 / (largest side) = 33 / (largest side). It is modelled 33 long
// along +z from its tip at the origin, so the scale is exactly 1. The scene
// pushes it back along +z by 2.5 + force from the striker's centre (a disc's
// radius is 2.15, so the tip rests just behind the striker), tilts the butt
// up by 0.2 rad, turns it to the aim and lifts it to the striker at y = 1.5.
XMesh MakeCue() {
    XMesh mesh;
    MeshMaterial wood;
    wood.texture = "bastao.tga";
    const std::uint32_t subset = mesh.AddMaterial(wood);
    // From the butt cap round to the tip, clockwise as AddLathe expects.
    const std::vector<ProfilePoint> profile = {
        {0.0f, 33.0f},  {0.5f, 33.0f},  {0.7f, 32.8f},  {0.72f, 32.2f},
        {0.68f, 31.9f},                                                  // cap and butt
        {0.46f, 20.6f}, {0.47f, 20.5f}, {0.47f, 19.9f}, {0.42f, 19.8f},  // joint
        {0.29f, 1.15f}, {0.28f, 0.4f},  {0.27f, 0.06f}, {0.2f, 0.0f},
        {0.0f, 0.0f}};  // shaft, ferrule, tip
    auto aroundZ = [](float c, float s, float radius, float height) {
        return Vec3{c * radius, s * radius, height};
    };
    AddLathe(mesh, subset, profile, 16, 33.0f, aroundZ);
    return mesh;
}

}  // namespace assetgen
