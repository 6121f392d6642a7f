#include "scene/scene_assets.h"

#include "engine/graphics/vex_light.h"
#include "engine/graphics/vex_texture_list.h"
#include "scene/hud_draw.h"
#include "scene/scene_states.h"
#include "scene/screen_scale.h"

using namespace gfx;

namespace {

constexpr float kTableSize = 47.0f;
constexpr float kDiscSize = 3.08f;
constexpr float kCueLength = 22.0f;

// Subset 0 of the table is its wooden frame, subset 1 the printed surface,
// which is lit only by its texture.
void GiveTableMaterials(VEX_XMesh& table, const Material& frame, const Material& plain) {
    table.SetMeshMaterial(0, frame);
    table.SetMeshMaterial(1, plain);
}

}  // namespace

bool LoadSceneTextures() {
    VEX_TextureList& textures = TextureList();
    ApplySceneLoaderSettings();
    bool ok = true;
    textures.SetMipLevels(2);
    for (const char* name : {"mesa1.tga", "mesa2.tga"}) ok &= textures.Load(name) >= 0;
    textures.SetMipLevels(1);
    for (const char* name : {"logo.tga", "bastao.tga", "boom.tga", "fonte01.tga", "spark.tga",
                             "rojao.tga", "disco.tga"})
        ok &= textures.Load(name) >= 0;
    return ok;
}

bool LoadSceneMeshes(SceneMeshes& m) {
    bool ok = m.table.LoadX("mesa.x", true);
    ok &= m.tableLow.LoadX("mesalow.x", true);
    ok &= m.disc.LoadX("peao.x", true);
    ok &= m.discLow.LoadX("peaolow.x", true);
    ok &= m.cue.LoadX("bastao.x", true);
    ok &= m.base.LoadX("base.x", true);
    m.table.FitSize(kTableSize, true, false);
    m.tableLow.FitSize(kTableSize, true, false);
    m.base.FitSize(kTableSize, true, false);
    m.disc.FitSize(kDiscSize, false, false);
    m.discLow.FitSize(kDiscSize, false, false);
    m.cue.FitSize(kCueLength, false, false);

    Material frame, plain;
    VEX_Direct3D::MakeMaterial(frame, .6f, .6f, .6f, .5f, .5f, .5f, .15f, .15f, .15f, 0, 0, 0, 80);
    VEX_Direct3D::MakeMaterial(plain, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    GiveTableMaterials(m.table, frame, plain);
    GiveTableMaterials(m.tableLow, frame, plain);
    m.base.SetMeshMaterial(0, plain);
    m.cue.SetMeshMaterial(0, plain);
    VEX_Direct3D::MakeMaterial(m.yellow, .6f, .6f, 0, .2f, .2f, .2f, .25f, .25f, .25f, 0, 0, 0, 50);
    VEX_Direct3D::MakeMaterial(m.green, 0, .6f, 0, .2f, .2f, .2f, .3f, .3f, .3f, 0, 0, 0, 50);
    VEX_Direct3D::MakeMaterial(m.red, .6f, 0, 0, .2f, .2f, .2f, .3f, .3f, .3f, 0, 0, 0, 50);
    return ok;
}

namespace {
constexpr int kHelpFontHeight = 13;  // on a panel of the layout's height
}  // namespace

bool AddSceneHelpFont() {
    return GDIFonts().AddGDIFont(nullptr, kHelpFontHeight, 0, 0, 0, 0, "Verdana", nullptr) ==
           kHelpFont;
}

bool ScaleSceneHelpFont(int panelHeight) {
    const int height = ScreenScale::Of(0, panelHeight).FontHeight(kHelpFontHeight);
    return GDIFonts().SetGDIFontHeight(kHelpFont, height);
}

bool MakeSceneSpritesAndFont() {
    VEX_TextureList& textures = TextureList();
    VEX_Sprite& sprites = Sprites();
    bool ok = sprites.AddSprite(nullptr, textures.FindIndex("logo.tga"), 1, 2, false) ==
              kLogoSprite;
    ok &= sprites.AddSprite(nullptr, 0, 1, 1, false) == kPanelSprite;
    ok &= sprites.AddSprite(nullptr, textures.FindIndex("boom.tga"), 1, 2, false) == kBannerSprite;
    ok &= sprites.AddSprite(nullptr, textures.FindIndex("disco.tga"), 1, 1, false) ==
          kTriesIconSprite;
    ok &=
        Fonts().AddFont(nullptr, textures.FindIndex("fonte01.tga"), "fonte01.dat", 13) == kHudFont;
    Fonts().SetFontSize(kHudFont, kTextSize, kTextSize);
    return ok;
}

void AddSceneLights() {
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
