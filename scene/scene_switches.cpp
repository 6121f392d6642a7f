#include "scene/scene_switches.h"

#include "engine/graphics/vex_light.h"
#include "scene/scene.h"

namespace {
constexpr int16_t kShineLights[] = {2, 3};
}

void SetSceneSpecular(bool on) {
    Scene* scene = ActiveScene();
    if (!scene) return;
    scene->specularOn = on;
    ShowHighlights(on);
}

void ShowHighlights(bool on) {
    Direct3D().SetRenderStateCounted(gfx::kRsSpecularEnable, on ? 1 : 0);
    for (int16_t light : kShineLights) Lights().EnableLight(light, on);
}
