#include "scene/hud_draw.h"

#include "engine/modules/engine_modules.h"

void SetTextStyle(uint8_t alignX, uint8_t alignY, uint32_t color, float size) {
    VEX_Font& font = Fonts();
    font.SetTextAlign(alignX, alignY);
    font.SetFontColor(color);
    font.SetFontSize(kHudFont, size, size);
}

void DrawResultBanner(float p, int width, int height) {
    VEX_Sprite& sprites = Sprites();
    if (!sprites.BeginSprites()) return;
    sprites.SetFrameSize(kBannerSprite, 0, 248 + 4 * p, 148 + 2 * p);
    sprites.SetFramePivot(kBannerSprite, 0, 0.5f, 0.5f, true);
    sprites.SetSpriteColor(0x80FFFFFF);
    sprites.SetSpriteRotation(0);
    sprites.DrawSprite(kBannerSprite, float(width / 2), float(height / 2), 0, 0);
    sprites.EndSprites();
}
