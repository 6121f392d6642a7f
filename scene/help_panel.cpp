// The F1 help panel and the version text of the intro.
#include <algorithm>

#include "engine/modules/engine_modules.h"
#include "scene/hud.h"
#include "scene/hud_draw.h"
#include "scene/input_codes.h"
#include "scene/screen_scale.h"
#include "scene/texts.h"

namespace {

constexpr const char* kVersion = "1.1.0";
constexpr float kHelpFadeRate = 512.0f;  // alpha a second

// A plain white rectangle of the panel sprite, centred on (x, y).
void DrawPanelRect(VEX_Sprite& sprites, float x, float y, float width, float height) {
    sprites.SetFrameSize(kPanelSprite, 0, width, height);
    sprites.SetFramePivot(kPanelSprite, 0, 0.5f, 0.5f, true);
    sprites.DrawSprite(kPanelSprite, x, y, 0, 0);
}

}  // namespace

void FadeHelp(bool hasFocus, float& alpha, float frameSeconds) {
    if (hasFocus && Input().KeyDown(kKeyF1))
        alpha = std::min(255.0f, alpha + frameSeconds * kHelpFadeRate);
    else
        alpha = std::max(0.0f, alpha - frameSeconds * kHelpFadeRate);
}

void DrawHelpPanel(float alpha, int width, int height, int language) {
    alpha = std::clamp(alpha, 0.0f, 255.0f);
    VEX_Sprite& sprites = Sprites();
    if (alpha <= 0 || !sprites.BeginSprites()) return;
    const ScreenScale s = ScreenScale::Of(width, height);
    const float x = s.CentreX(0), y = s.CentreY(0);
    sprites.SetSpriteScale(kPanelSprite, 1, 1);
    sprites.SetSpriteRotation(0);
    // Two translucent panels, the inner one over the outer: a lighter rim.
    sprites.SetSpriteColor(WithAlpha(alpha / 1.5f, kWhite));
    DrawPanelRect(sprites, x, y, s.Size(335), s.Size(300));
    DrawPanelRect(sprites, x, y, s.Size(331), s.Size(296));
    // The rule under the title.
    sprites.SetSpriteColor(WithAlpha(alpha, kWhite));
    DrawPanelRect(sprites, x, s.Size(72), s.Size(320), s.Size(2));
    sprites.EndSprites();

    // The font is made at the scaled size (ScaleSceneHelpFont), so the
    // text stays sharp; only its place is scaled here.
    VEX_GDIFont& text = GDIFonts();
    text.BeginGDIText(kHelpFont);
    text.SetGDIColor(WithAlpha(alpha, 0x000000));
    text.PrintGDIText(int16_t(s.CentreX(-157)), int16_t(s.CentreY(-145)), "%s", HelpText(language));
    text.EndGDIText();
}

void DrawKeysPanel(float alpha, int width, int height, int language) {
    alpha = std::clamp(alpha, 0.0f, 255.0f);
    VEX_Sprite& sprites = Sprites();
    if (alpha <= 0 || !sprites.BeginSprites()) return;
    // Between the help panel's foot (H/2 + 150) and the window's.
    const ScreenScale s = ScreenScale::Of(width, height);
    const float x = s.CentreX(0), y = s.CentreY(175);
    sprites.SetSpriteScale(kPanelSprite, 1, 1);
    sprites.SetSpriteRotation(0);
    sprites.SetSpriteColor(WithAlpha(alpha / 1.5f, kWhite));
    DrawPanelRect(sprites, x, y, s.Size(335), s.Size(46));
    DrawPanelRect(sprites, x, y, s.Size(331), s.Size(42));
    sprites.EndSprites();

    VEX_GDIFont& text = GDIFonts();
    text.BeginGDIText(kHelpFont);
    text.SetGDIColor(WithAlpha(alpha, 0x000000));
    text.PrintGDIText(int16_t(s.CentreX(-157)), int16_t(s.CentreY(155)), "%s",
                      KeysHelpText(language));
    text.EndGDIText();
}

void DrawVersionText(int width, int height) {
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    const ScreenScale s = ScreenScale::Of(width, height);
    SetTextStyle(2, 2, kWhite, s.Size(20));
    font.PrintText(s.FromRight(5), s.FromBottom(0), "v%s", kVersion);
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}
