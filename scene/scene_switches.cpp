#include "scene/scene_switches.h"

#include "engine/graphics/vex_light.h"
#include "scene/scene.h"

namespace {
constexpr int16_t kShineLights[] = {2, 3};
}

void SetSceneSpecular(GameState& g, bool on) {
    if (!ActiveScene()) return;
    g.options.specular = on ? 1 : 0;
    ShowHighlights(on);
}

void ShowHighlights(bool on) {
    Direct3D().SetRenderStateCounted(gfx::kRsSpecularEnable, on ? 1 : 0);
    for (int16_t light : kShineLights) Lights().EnableLight(light, on);
}
