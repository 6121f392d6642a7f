#include "scene/scene_setup.h"

#include "base/debug_log.h"
#include "base/library_folders.h"
#include "engine/services/vex_resource.h"
#include "game/frame.h"
#include "game/intro.h"
#include "game/table_layout.h"
#include "platform/message_box.h"
#include "scene/scene_assets.h"
#include "scene/scene_states.h"
#include "scene/texts.h"

namespace {

constexpr uint32_t kFirstFrameColor = 0xFF808094;
constexpr const char* kPackageName = "dados.vpf";
constexpr const char* kMissingPackageText =
    "Não foi possivel encontrar o arquivo \"dados.vpf\".";

std::unique_ptr<Scene> scene;

// One empty frame, so the panel shows the scene's grey at once; a frame
// the device refused to begin is neither ended nor shown.
void ShowEmptyFrame() {
    VEX_Direct3D& d3d = Direct3D();
    if (!d3d.BeginFrame()) return;
    d3d.ClearTargets(kFirstFrameColor, true, true, true);
    d3d.EndScene();
    d3d.PresentFrame();
}

uint32_t BestTextureFilter() {
    const gfx::Device* device = Direct3D().device();
    const bool anisotropic = device->GetCaps().rasterCaps & gfx::Caps::kAnisotropy;
    return anisotropic ? gfx::kTexfAnisotropic : gfx::kTexfLinear;
}

// The device and the input let go of the window: after a failed start the
// program closes it, and nothing of ours may touch it then.
void ReleaseWindow() {
    Direct3D().UseSystem(nullptr);
}

}  // namespace

Scene::~Scene() = default;

Scene* ActiveScene() {
    return scene.get();
}

int StartScene(GameState& g, unsigned long window, void* instance, int width, int height,
               int language) {
    if (scene) {
        Log().WriteWarning("A cena já está iniciada; nada foi recarregado.");
        return 0;
    }
    if (language >= 1 && language <= kLanguageCount) g.language = uint8_t(language - 1);
    VEX_Direct3D& d3d = Direct3D();
    // Sizes below 1 pixel give the device its default; the 2D layer follows
    // the device, never the asked size.
    const auto w = uint16_t(std::clamp(width, 0, 0xFFFF));
    const auto h = uint16_t(std::clamp(height, 0, 0xFFFF));
    if (!d3d.Start({.window = window, .instance = instance, .width = w, .height = h})) return -1;
    ShowEmptyFrame();

    auto next = std::make_unique<Scene>();
    next->window = window;
    next->width = d3d.width();
    next->height = d3d.height();
    Input().StartInput(window);
    AddSceneHelpFont();
    ScaleSceneHelpFont(next->height);
    next->textureFilter = BestTextureFilter();
    // Every scene starts with the highlights on, whatever the last one had.
    g.options.specular = 1;
    ApplySceneRenderStates(next->textureFilter, true);

    if (!next->package.Open(PackagePath(kPackageName).c_str(), false)) {
        next.reset();
        GDIFonts().ReleaseGDIFonts();
        ShowMessageBox(window, kMissingPackageText, "Erro");
        ReleaseWindow();
        return -1;
    }
    Resource().SetPackage(&next->package);
    LoadSceneTextures();
    LoadSceneMeshes(next->meshes);
    MakeSceneSpritesAndFont();
    next->sound.Load();
    g.outputs.sound = &next->sound;
    next->package.Close();
    AddSceneLights();
    next->fireworks = std::make_unique<Fireworks>(d3d, TextureList(), Sprites());
    next->fireworks->InitFireworks(next->width, next->height);
    next->presentation = std::make_unique<ScenePresentation>(next->fireworks.get());
    g.outputs.presentation = next->presentation.get();

    scene = std::move(next);
    g.show = ShowTimers{};
    g.hasFocus = 1;
    ResetTable(g);
    ReturnToIntro(g);
    StandardLayout(g);
    RestartFrameClock();
    return 0;
}

void FinishScene(GameState& g) {
    RestartFrameClock();
    std::unique_ptr<Scene> ending = std::move(scene);
    if (!ending) {
        Log().CloseAndDelete();
        return;
    }
    g.outputs.presentation = nullptr;
    g.outputs.sound = nullptr;
    if (gfx::Device* device = Direct3D().device()) device->SetTexture(0, nullptr);
    TextureList().ForgetBindings();

    bool ok = true;
    for (VEX_XMesh* mesh : {&ending->meshes.table, &ending->meshes.tableLow, &ending->meshes.disc,
                            &ending->meshes.discLow, &ending->meshes.cue, &ending->meshes.base})
        mesh->Release();
    ending->sound.ClearEffects();
    ok &= Sprites().ReleaseSprites();
    ok &= Fonts().ReleaseFonts();
    ok &= Lights().Clear();
    ok &= GDIFonts().ReleaseGDIFonts();
    // The list keeps its "null" entry: index 0 means "no texture" to every
    // mesh, sprite and font, and without it the next scene's first picture
    // would land there and be drawn on everything that has none.
    ok &= TextureList().Clear(false);
    ending->sound.DeleteMusic();
    ending->fireworks->ResetFireworks();
    Resource().SetPackage(nullptr);
    ending.reset();
    Direct3D().ReportStats();
    ReleaseWindow();
    if (ok)
        Log().CloseAndDelete();
    else
        Log().WriteWarning(" Erro ao finalizar Direct3D.");
}
