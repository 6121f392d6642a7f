// The F1 help panel and the version text of the intro.
#include <algorithm>
#include <optional>

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

// Two translucent panels, the inner one over the outer: a lighter rim.
// Sprites must be begun.
void DrawRimmedPanel(VEX_Sprite& sprites, float alpha, float x, float y, const ScreenScale& s,
                     float width, float height) {
    sprites.SetSpriteScale(kPanelSprite, 1, 1);
    sprites.SetSpriteRotation(0);
    sprites.SetSpriteColor(WithAlpha(alpha / 1.5f, kWhite));
    DrawPanelRect(sprites, x, y, s.Size(width), s.Size(height));
    DrawPanelRect(sprites, x, y, s.Size(width - 4), s.Size(height - 4));
}

// Begins the sprites and draws a rimmed panel as wide as the help panel and
// `panelHeight` high, centred `below` under the middle of the window (both at
// the 800 x 600 scale); the scale, or nothing when the panel is invisible or
// the sprites cannot begin. Sprites are left begun.
std::optional<ScreenScale> BeginPanel(float alpha, int width, int height, float below,
                                      float panelHeight) {
    VEX_Sprite& sprites = Sprites();
    if (alpha <= 0 || !sprites.BeginSprites()) return std::nullopt;
    const ScreenScale s = ScreenScale::Of(width, height);
    DrawRimmedPanel(sprites, alpha, s.CentreX(0), s.CentreY(below), s, 335, panelHeight);
    return s;
}

// The font is made at the scaled size (ScaleSceneHelpFont), so the text
// stays sharp; only its place is scaled.
void PrintInHelpFont(float alpha, float left, float top, const char* text) {
    VEX_GDIFont& font = GDIFonts();
    font.BeginGDIText(kHelpFont);
    font.SetGDIColor(WithAlpha(alpha, 0x000000));
    font.PrintGDIText(int16_t(left), int16_t(top), "%s", text);
    font.EndGDIText();
}

}  // namespace

void FadeHelp(bool hasFocus, float& alpha, bool& byPad, float frameSeconds) {
    const VEX_Input& input = Input();
    const bool keyHeld = input.KeyDown(kKeyF1);
    const bool padHeld = input.JoystickButtonDown(kPadHelpButton);
    if (keyHeld != padHeld) byPad = padHeld;
    if (hasFocus && (keyHeld || padHeld))
        alpha = std::min(255.0f, alpha + frameSeconds * kHelpFadeRate);
    else
        alpha = std::max(0.0f, alpha - frameSeconds * kHelpFadeRate);
}

void DrawHelpPanel(float alpha, int width, int height, int language) {
    alpha = std::clamp(alpha, 0.0f, 255.0f);
    const auto s = BeginPanel(alpha, width, height, 0, 300);
    if (!s) return;
    // The rule under the title.
    VEX_Sprite& sprites = Sprites();
    sprites.SetSpriteColor(WithAlpha(alpha, kWhite));
    DrawPanelRect(sprites, s->CentreX(0), s->Size(72), s->Size(320), s->Size(2));
    sprites.EndSprites();
    PrintInHelpFont(alpha, s->CentreX(-157), s->CentreY(-145), HelpText(language));
}

void DrawKeysPanel(float alpha, int width, int height, int language, bool gamepad) {
    alpha = std::clamp(alpha, 0.0f, 255.0f);
    // Between the help panel's foot (H/2 + 150) and the window's.
    const auto s = BeginPanel(alpha, width, height, 175, 46);
    if (!s) return;
    Sprites().EndSprites();
    PrintInHelpFont(alpha, s->CentreX(-157), s->CentreY(155), gamepad ? PadHelpText(language) : KeysHelpText(language));
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
