#include "scene/hud_draw.h"

#include "engine/modules/engine_modules.h"

void SetTextStyle(uint8_t alignX, uint8_t alignY, uint32_t color, float size) {
    VEX_Font& font = Fonts();
    font.SetTextAlign(alignX, alignY);
    font.SetFontColor(color);
    font.SetFontSize(kHudFont, size, size);
}

void DrawResultBanner(float p, const ScreenScale& screen) {
    VEX_Sprite& sprites = Sprites();
    if (!sprites.BeginSprites()) return;
    sprites.SetFrameSize(kBannerSprite, 0, screen.Size(248 + 4 * p), screen.Size(148 + 2 * p));
    sprites.SetFramePivot(kBannerSprite, 0, 0.5f, 0.5f, true);
    sprites.SetSpriteColor(0x80FFFFFF);
    sprites.SetSpriteRotation(0);
    sprites.DrawSprite(kBannerSprite, screen.CentreX(0), screen.CentreY(0), 0, 0);
    sprites.EndSprites();
}
