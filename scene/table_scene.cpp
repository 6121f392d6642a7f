#include "scene/table_scene.h"

#include "engine/graphics/vex_camera.h"
#include "engine/graphics/vex_light.h"
#include "engine/graphics/vex_texture_list.h"
#include "engine/modules/engine_modules.h"
#include "game/table_geometry.h"
#include "scene/scene_states.h"

using namespace gfx;

namespace {

// The cue hangs over the striker at this height, its butt tilted up.
constexpr float kCueY = 1.5f;
constexpr float kCueTilt = -0.2f;

// Where the game puts the cue for a shot: pulled back along its length from
// the striker, tilted, turned to the aim, then moved to the striker.
Matrix CueWorld(const CueAim& cue) {
    return Multiply(Multiply(Multiply(Translation(0, 0, cue.pullBack), RotationX(kCueTilt)),
                             RotationY(cue.angle)),
                    Translation(cue.x, kCueY, cue.z));
}

}  // namespace

TableScene::~TableScene() {
    if (usesPackage_) Resource().SetPackage(nullptr);
    TextureList().Clear(false);
    Lights().Clear();
}

bool TableScene::Load(const char* packagePath, bool lowDetail) {
    VEX_Direct3D& d3d = Direct3D();
    Device* device = d3d.device();
    if (!device) return false;
    if (packagePath) {
        if (!package_.Open(packagePath, false)) return false;
        Resource().SetPackage(&package_);
        usesPackage_ = true;
    }
    device->SetRenderState(kRsLighting, 1);
    device->SetRenderState(kRsDitherEnable, 1);
    device->SetRenderState(kRsSpecularEnable, 1);
    device->SetRenderState(kRsNormalizeNormals, 1);
    device->SetRenderState(kRsZFunc, kCmpLess);
    d3d.SetDepthTest(true);
    ApplySceneStageStates(kTexfLinear);

    VEX_TextureList& textures = TextureList();
    ApplySceneLoaderSettings();
    textures.SetMipLevels(2);
    if (textures.Load("mesa1.tga") < 0 || textures.Load("mesa2.tga") < 0) return false;
    textures.SetMipLevels(1);
    if (!table_.LoadX(lowDetail ? "mesalow.x" : "mesa.x", true) ||
        !disc_.LoadX(lowDetail ? "peaolow.x" : "peao.x", true) || !cue_.LoadX("bastao.x", true))
        return false;
    table_.FitSize(47.0f, true, false);
    disc_.FitSize(3.08f, false, false);
    cue_.FitSize(22.0f, false, false);

    Material m;
    VEX_Direct3D::MakeMaterial(m, .6f, .6f, .6f, .5f, .5f, .5f, .15f, .15f, .15f, 0, 0, 0, 80);
    table_.SetMeshMaterial(0, m);
    VEX_Direct3D::MakeMaterial(m, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    table_.SetMeshMaterial(1, m);
    cue_.SetMeshMaterial(0, m);
    VEX_Direct3D::MakeMaterial(yellow_, .6f, .6f, 0, .2f, .2f, .2f, .25f, .25f, .25f, 0, 0, 0, 50);
    VEX_Direct3D::MakeMaterial(green_, 0, .6f, 0, .2f, .2f, .2f, .3f, .3f, .3f, 0, 0, 0, 50);
    VEX_Direct3D::MakeMaterial(red_, .6f, 0, 0, .2f, .2f, .2f, .3f, .3f, .3f, 0, 0, 0, 50);

    AddLights();
    return true;
}

void TableScene::AddLights() {
    const Vector3 origin{0, 0, 0};
    VEX_Light& lights = Lights();
    lights.MakeLight(nullptr, kLightDirectional, origin, {0.5f, -0.5f, 0.5f}, 1, 1, 1, .5f, .5f,
                     .5f, 1, 1, 1, 10, 0, 0);
    lights.MakeLight(nullptr, kLightDirectional, origin, {-0.5f, -0.5f, -0.5f}, 1, 1, 1, .5f, .5f,
                     .5f, 1, 1, 1, 10, 0, 0);
    lights.MakeLight(nullptr, kLightDirectional, origin, {0.5f, -0.6f, -0.5f}, 0, 0, 0, 0, 0, 0, 1,
                     1, 1, 10, 0, 0);
    lights.MakeLight(nullptr, kLightDirectional, origin, {-0.5f, -0.6f, 0.5f}, 0, 0, 0, 0, 0, 0, 1,
                     1, 1, 10, 0, 0);
    for (int16_t i = 0; i < 4; ++i) lights.EnableLight(i, true);
}

void TableScene::PlaceCamera() {
    Camera().OrbitCamera(0, -6, 0, 50, 81, 0, -0.16f);
    Direct3D().SetProjection(18, 145, 0);
}

void TableScene::Draw(const SceneLayout& layout, bool mirrored) {
    PlaceCamera();
    if (mirrored) {
        // The reflection: everything upside down under the surface, faces
        // turned inside out by the mirror, so the other side is culled.
        Direct3D().SetCullMode(kCullCW);
        DrawPass(layout, -1.0f);
        Direct3D().SetCullMode(kCullCCW);
    }
    DrawPass(layout, 1.0f);
}

void TableScene::DrawPass(const SceneLayout& layout, float ySign) {
    VEX_Direct3D& d3d = Direct3D();
    const Matrix mirror = Scaling(1, ySign, 1);
    d3d.SetWorldMatrix(mirror);
    table_.DrawMesh(1.0f);
    for (const Disc& disc : layout.discs) DrawDisc(disc, mirror);
    if (layout.cue) {
        d3d.SetWorldMatrix(Multiply(CueWorld(*layout.cue), mirror));
        cue_.DrawMesh(1.0f);
    }
}

void TableScene::DrawDisc(const Disc& disc, const Matrix& mirror) {
    if (disc.status == kStatusOff) return;
    const float y = disc.status == kStatusPocketed ? table::kPocketedDiscY : table::kSurfaceY;
    disc_.SetMeshMaterial(0, disc.color == kColorYellow  ? yellow_
                             : disc.color == kColorGreen ? green_
                                                         : red_);
    Direct3D().SetWorldMatrix(Multiply(Translation(disc.x, y, disc.z), mirror));
    disc_.DrawMesh(1.0f);
}
