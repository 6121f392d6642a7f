#include "tests/scene/hud_scene.h"

#include "engine/modules/engine_modules.h"
#include "scene/scene_states.h"
#include "scene/scene_assets.h"

using namespace gfx;

HudScene::~HudScene() {
    Resource().SetPackage(nullptr);
}

bool HudScene::Load(const char* packagePath) {
    VEX_Direct3D& d3d = Direct3D();
    Device* device = d3d.device();
    if (!device || !package_.Open(packagePath, false)) return false;
    // The scene's best filter.
    const bool anisotropic = device->GetCaps().rasterCaps & Caps::kAnisotropy;
    textureFilter_ = anisotropic ? kTexfAnisotropic : kTexfLinear;
    ApplySceneStageStates(textureFilter_);

    Resource().SetPackage(&package_);
    if (!LoadSceneTextures()) return false;
    if (!(AddSceneHelpFont() && MakeSceneSpritesAndFont())) return false;
    fireworks_ = std::make_unique<Fireworks>(d3d, TextureList(), Sprites());
    fireworks_->InitFireworks(d3d.width(), d3d.height());
    Resource().SetPackage(nullptr);
    package_.Close();
    return true;
}

bool HudScene::BeginFrame(uint32_t background) {
    VEX_Direct3D& d3d = Direct3D();
    if (!d3d.BeginFrame()) return false;
    d3d.ClearTargets(background, true, true, false);
    d3d.SetDepthTest(false);
    d3d.SetLighting(false);
    return Camera().Begin2D();
}

HudFrame HudScene::Frame(float seconds) const {
    return {Direct3D().width(), Direct3D().height(), seconds, textureFilter_};
}
