#include <algorithm>

#include "base/debug_log.h"
#include "scene/scene.h"
#include "scene/scene_assets.h"
#include "scene/scene_setup.h"
#include "scene/scene_states.h"

int ChangeSceneSize(const GameState& g, int width, int height) {
    Scene* scene = ActiveScene();
    if (!scene) {
        Log().WriteWarning("Não há cena para redimensionar para <%dx%d>.", width, height);
        return -1;
    }
    // Out of the device's range: refused there, with the size asked for in
    // the log.
    const auto w = uint16_t(std::clamp(width, 0, 0xFFFF));
    const auto h = uint16_t(std::clamp(height, 0, 0xFFFF));
    VEX_Direct3D& d3d = Direct3D();
    if (!d3d.Resize(w, h)) return -1;
    scene->width = d3d.width();
    scene->height = d3d.height();
    scene->fireworks->SetScreenSize(scene->width, scene->height);
    // A font that cannot be made at the new size keeps drawing at the old one.
    ScaleSceneHelpFont(scene->height);
    RestoreSceneStates(scene->textureFilter, g.options.specular != 0);
    return 0;
}
