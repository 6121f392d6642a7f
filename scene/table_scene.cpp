#include "scene/table_scene.h"

#include "engine/graphics/vex_camera.h"
#include "engine/graphics/vex_light.h"
#include "engine/graphics/vex_texture_list.h"
#include "game/table_geometry.h"
#include "scene/scene_assets.h"
#include "scene/scene_states.h"
#include "scene/table_drawing.h"

using namespace gfx;

TableScene::~TableScene() {
    if (usesPackage_) Resource().SetPackage(nullptr);
    TextureList().Clear(false);
    Lights().Clear();
}

bool TableScene::Load(const char* packagePath, bool lowDetail) {
    if (!Direct3D().device()) return false;
    if (packagePath) {
        if (!package_.Open(packagePath, false)) return false;
        Resource().SetPackage(&package_);
        usesPackage_ = true;
    }
    quality_ = lowDetail ? 0 : 1;
    ApplySceneRenderStates(kTexfLinear, true);
    LoadSceneTextures();
    const bool loaded = LoadSceneMeshes(meshes_);
    AddSceneLights();
    return loaded;
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
    table().DrawMesh(1.0f);
    VEX_XMesh& discMesh = disc();
    for (const Disc& d : layout.discs) {
        if (d.status == kStatusOff) continue;
        const float y = d.status == kStatusPocketed ? table::kPocketedDiscY : table::kSurfaceY;
        discMesh.SetMeshMaterial(0, meshes_.MaterialOf(d.color));
        d3d.SetWorldMatrix(Multiply(Translation(d.x, y, d.z), mirror));
        discMesh.DrawMesh(1.0f);
    }
    if (layout.cue) {
        d3d.SetWorldMatrix(Multiply(CueWorld(*layout.cue), mirror));
        meshes_.cue.DrawMesh(1.0f);
    }
}
