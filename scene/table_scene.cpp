#include "scene/table_scene.h"

#include "engine/graphics/vex_light.h"
#include "engine/graphics/vex_texture_list.h"
#include "scene/camera_rig.h"
#include "scene/scene_assets.h"
#include "scene/scene_states.h"
#include "scene/table_drawing.h"

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
    ApplySceneRenderStates(gfx::kTexfLinear, true);
    LoadSceneTextures();
    const bool loaded = LoadSceneMeshes(meshes_);
    AddSceneLights();
    return loaded;
}

void TableScene::PlaceCamera() {
    PlaceTableCamera(ViewRotation{}, false);
    ApplyTableProjection();
}

void TableScene::Draw(const SceneLayout& layout, bool mirrored) {
    PlaceCamera();
    const TableLook look{quality_, mirrored, true};
    DrawTableWith(meshes_, look, [&](float opacity, uint8_t quality, bool withCue) {
        DrawLayout(layout, opacity, quality, withCue);
    });
    DrawLayout(layout, 1.0f, quality_, true);
}

void TableScene::DrawLayout(const SceneLayout& layout, float opacity, uint8_t quality,
                            bool withCue) {
    for (const Disc& d : layout.discs) DrawDisc(meshes_, quality, DiscLook::kClassic, d, opacity);
    if (layout.cue && withCue) DrawCue(meshes_, *layout.cue, opacity);
}
