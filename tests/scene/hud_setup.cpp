#include "tests/scene/hud_setup.h"

#include <string>

#include "engine/modules/engine_modules.h"
#include "scene/hud_draw.h"
#include "tests/engine/graphics/graphics_fixture.h"

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

void CreateBlankHudTextures() {
    struct Blank {
        const char* name;
        int16_t width, height;
    };
    const Blank blanks[] = {{"logo.tga", 256, 256},    {"boom.tga", 256, 256},
                            {"fonte01.tga", 512, 512}, {"spark.tga", 32, 32},
                            {"rojao.tga", 16, 32},     {"disco.tga", 32, 32}};
    for (const Blank& blank : blanks) TextureList().Create(blank.name, blank.width, blank.height);
    WriteTextFile("fonte01.dat", std::string(256, char(kBlankGlyphWidth)));
}
