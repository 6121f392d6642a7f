#include "scene/table_drawing.h"

#include <cmath>

#include "game/intro.h"
#include "game/returned_disc.h"
#include "game/table_geometry.h"
#include "scene/disc_look.h"
#include "scene/scene_switches.h"

using namespace gfx;

namespace {

constexpr float kCueY = 1.5f;
constexpr float kCueTilt = -0.2f;
constexpr float kPi = 3.1415927f;
constexpr float kReflectionOpacity = 0.2f;
constexpr uint8_t kLowQuality = 0;
// The surface's plane, y = 1.2, as the clip plane's coefficients.
constexpr float kSurfacePlane[4] = {0, 1.2f, 0, -1.44f};
constexpr float kIntroStrikerZ = 21.0f;

// The view mirrored in the table's surface: y becomes 2.4 - y.
Matrix SurfaceReflection() {
    return Multiply(Scaling(1, -1, 1), Translation(0, 2 * table::kSurfaceY, 0));
}

bool AllFinite(const PeerAim& p) {
    return std::isfinite(p.x) && std::isfinite(p.z) && std::isfinite(p.force) &&
           std::isfinite(p.angle);
}

// Whether every material of the mesh is opaque.
bool OpaqueMaterials(const VEX_XMesh& mesh) {
    for (uint32_t i = 0; i < mesh.materialCount(); ++i)
        if (mesh.material(i)->diffuse.a != 1.0f) return false;
    return true;
}

// The mesh at an opacity. The table, its base and the cue have opaque
// materials and pictures without clear texels, so at full opacity blending
// would only read back the pixels they cover to give them back unchanged,
// which a software renderer pays for in every pixel: such a draw runs with
// blending off, and blending is back as it was after it. The discs' dark
// rim is translucent, so they always blend.
void DrawMeshAt(VEX_XMesh& mesh, float opacity) {
    VEX_Direct3D& d3d = Direct3D();
    const Device* device = d3d.device();
    if (!device || opacity != 1.0f || !OpaqueMaterials(mesh)) {
        mesh.DrawMesh(opacity);
        return;
    }
    const uint32_t blending = device->GetRenderState(kRsAlphaBlendEnable);
    d3d.SetRenderStateCounted(kRsAlphaBlendEnable, 0);
    mesh.DrawMesh(opacity);
    d3d.SetRenderStateCounted(kRsAlphaBlendEnable, blending);
}

void DrawCueAndStriker(SceneMeshes& meshes, const CueAim& cue, float opacity, uint8_t quality) {
    DrawCue(meshes, cue, opacity);
    // The striker is yellow in every look.
    DrawDisc(meshes, quality, DiscLook::kClassic, PlacedDisc(cue.x, cue.z, kColorYellow), opacity);
}

void SetStencil(VEX_Direct3D& d3d, uint32_t function, uint32_t pass) {
    d3d.SetRenderStateCounted(kRsStencilFunc, function);
    d3d.SetRenderStateCounted(kRsStencilPass, pass);
}

}  // namespace

Matrix CueWorld(const CueAim& cue) {
    return Multiply(Multiply(Multiply(Translation(0, 0, cue.pullBack), RotationX(kCueTilt)),
                             RotationY(cue.angle)),
                    Translation(cue.x, kCueY, cue.z));
}

void DrawCue(SceneMeshes& meshes, const CueAim& cue, float opacity) {
    Direct3D().SetWorldMatrix(CueWorld(cue));
    DrawMeshAt(meshes.cue, opacity);
}

void DrawDisc(SceneMeshes& meshes, uint8_t quality, DiscLook look, const Disc& disc,
              float opacity) {
    if (disc.status == kStatusOff) return;
    const float y = disc.status == kStatusPocketed ? table::kPocketedDiscY : table::kSurfaceY;
    VEX_XMesh& mesh = meshes.DiscFor(quality);
    mesh.SetMeshMaterial(0, DiscMaterial(meshes, look, disc.color));
    Direct3D().SetWorldMatrix(Translation(disc.x, y, disc.z));
    mesh.DrawMesh(opacity);
    DrawDiscMark(mesh, look, disc.color, disc.x, y, disc.z, opacity);
}

void DrawTableWith(SceneMeshes& meshes, const TableLook& look, const ReflectedContent& reflected) {
    VEX_Direct3D& d3d = Direct3D();
    d3d.SetWorldMatrix(Matrix(1.0f));
    VEX_XMesh& table = meshes.TableFor(look.quality);
    if (!look.mirror) {
        DrawMeshAt(table, 1.0f);
        return;
    }
    const bool stencil = d3d.capabilities().stencil;
    // The frame starts with the stencil cleared to 0; the table marks its
    // pixels with 1 and the reflection shows only there.
    if (stencil) {
        d3d.SetRenderStateCounted(kRsStencilEnable, 1);
        d3d.SetRenderStateCounted(kRsStencilRef, 1);
        d3d.SetRenderStateCounted(kRsStencilMask, 0xFFFFFFFF);
        d3d.SetRenderStateCounted(kRsStencilWriteMask, 0xFFFFFFFF);
        d3d.SetRenderStateCounted(kRsStencilFail, kStencilKeep);
        d3d.SetRenderStateCounted(kRsStencilZFail, kStencilKeep);
        SetStencil(d3d, kCmpAlways, kStencilReplace);
    }
    DrawMeshAt(table, 1.0f);

    Device& device = *d3d.device();
    const Matrix view = Camera().matrix();
    device.SetTransform(kTsView, Multiply(SurfaceReflection(), view));
    device.SetClipPlane(0, kSurfacePlane);
    d3d.SetRenderStateCounted(kRsClipPlaneEnable, 1);
    d3d.SetDepthTest(false);
    d3d.SetDepthWrite(false);
    if (stencil) {
        SetStencil(d3d, kCmpEqual, kStencilKeep);
        d3d.SetCullMode(kCullCW);
    }
    // Seen at a fifth of its strength through the table, the reflection
    // needs neither the detailed disc nor the highlights, and leaving them
    // out saves most of what the mirror costs a software renderer.
    ShowHighlights(false);
    // Without a stencil buffer the reflection is not held to the table, so
    // the cue, which reaches over the edge, is left out of it.
    reflected(kReflectionOpacity, kLowQuality, stencil);
    ShowHighlights(look.specularOn);
    if (stencil) d3d.SetRenderStateCounted(kRsStencilEnable, 0);
    d3d.SetCullMode(kCullCCW);
    d3d.SetRenderStateCounted(kRsClipPlaneEnable, 0);
    device.SetTransform(kTsView, view);
    d3d.SetRenderStateCounted(kRsSrcBlend, kBlendSrcAlpha);
    d3d.SetRenderStateCounted(kRsDestBlend, kBlendInvSrcAlpha);

    d3d.SetWorldMatrix(Matrix(1.0f));
    DrawMeshAt(meshes.base, 1.0f);
    d3d.SetDepthTest(true);
    d3d.SetDepthWrite(true);
}

void DrawTable(Scene& scene, const GameState& g, TableContent reflected) {
    const TableLook look{g.options.quality, g.options.mirror != 0, g.options.specular != 0};
    DrawTableWith(scene.meshes, look, [&](float opacity, uint8_t quality, bool withCue) {
        if (reflected == TableContent::kIntro) {
            DrawIntroContent(scene, opacity, quality, g.options.discLook, withCue);
            return;
        }
        DrawAllDiscs(scene, g, opacity, quality);
        if (withCue) DrawAimingCue(scene, g, opacity, quality);
    });
}

void DrawAllDiscs(Scene& scene, const GameState& g, float opacity, uint8_t quality) {
    const bool blinkHides = ReturnedDiscHidden(g);
    for (int i = 0; i < kDiscCount; ++i) {
        if (blinkHides && i == g.returnedDisc) continue;
        DrawDisc(scene.meshes, quality, g.options.discLook, g.discs[i], opacity);
    }
}

void DrawAimingCue(Scene& scene, const GameState& g, float opacity, uint8_t quality) {
    if (g.winner != kNoWinner) return;
    const AimState& a = g.aim;
    if (g.currentPlayer == g.localSeat && !WatchedRun(g)) {
        if (a.aimPhase == kAimPlacing) return;
        const bool released = a.aimPhase == kAimReleased;
        CueAim cue{released ? a.shotX : a.aimX, released ? a.shotZ : a.aimZ, a.aimAngle,
                   2.5f + a.aimForce};
        if (g.currentPlayer == kSideRed) cue.angle += kPi;
        DrawCueAndStriker(scene.meshes, cue, opacity, quality);
        return;
    }
    const PeerAim& p = g.peerAim;
    // The peer's values come off the network: a NaN or an infinity would
    // make a matrix of garbage, so such an aim is not drawn.
    if (!p.show || g.isMoving || !AllFinite(p)) return;
    CueAim cue{p.x, p.z, p.angle, 2.5f + p.force};
    if (g.currentPlayer == kSideRed) cue.angle += kPi;
    DrawCueAndStriker(scene.meshes, cue, opacity, quality);
}

void DrawPlacedStriker(Scene& scene, const GameState& g) {
    if (g.winner != kNoWinner) return;
    DrawDisc(scene.meshes, g.options.quality, DiscLook::kClassic,
             PlacedDisc(g.aim.aimX, g.aim.aimZ, kColorYellow),
             g.aim.placementAlpha);
}

void DrawIntroContent(Scene& scene, float opacity, uint8_t quality, DiscLook look,
                      bool withCue) {
    if (withCue) {
        Direct3D().SetWorldTransform({1.0f, 1.5f, 23.5f}, {0, 0.5f, 0.5f}, {1, 1, 1}, 6);
        DrawMeshAt(scene.meshes.cue, opacity);
    }
    DrawDisc(scene.meshes, quality, look, PlacedDisc(0, kIntroStrikerZ, kColorYellow), opacity);
    for (const Disc& disc : IntroDiscs()) DrawDisc(scene.meshes, quality, look, disc, opacity);
}
