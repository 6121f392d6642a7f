#include "tests/scene/hud_setup.h"

#include "engine/modules/engine_modules.h"
#include "scene/hud_draw.h"

bool AddHudFontsAndSprites() {
    VEX_TextureList& textures = TextureList();
    VEX_Sprite& sprites = Sprites();
    bool ok = GDIFonts().AddGDIFont(nullptr, 13, 0, 0, 0, 0, "Verdana", nullptr) == kHelpFont;
    ok &= sprites.AddSprite(nullptr, textures.FindIndex("logo.tga"), 1, 2, false) == kLogoSprite;
    ok &= sprites.AddSprite(nullptr, 0, 1, 1, false) == kPanelSprite;
    ok &= sprites.AddSprite(nullptr, textures.FindIndex("boom.tga"), 1, 2, false) == kBannerSprite;
    ok &= sprites.AddSprite(nullptr, textures.FindIndex("disco.tga"), 1, 1, false) ==
          kTriesIconSprite;
    ok &=
        Fonts().AddFont(nullptr, textures.FindIndex("fonte01.tga"), "fonte01.dat", 13) == kHudFont;
    Fonts().SetFontSize(kHudFont, kTextSize, kTextSize);
    return ok;
}
