// What the HUD's screens share: the scene's font and sprite numbers, the
// colours, packing a colour from a float alpha, setting a text style, and
// the result banner.
#pragma once

#include <algorithm>
#include <cstdint>

#include "game/game_state.h"
#include "scene/screen_scale.h"

// Made by the scene in this order when it starts.
constexpr int16_t kHudFont = 0;       // bitmap font
constexpr int16_t kHelpFont = 0;      // TrueType font
constexpr int16_t kLogoSprite = 0;    // two frames
constexpr int16_t kPanelSprite = 1;   // no texture: a plain rectangle
constexpr int16_t kBannerSprite = 2;  // the explosion picture
constexpr int16_t kTriesIconSprite = 3;

constexpr uint32_t kWhite = 0xFFFFFFFF, kYellow = 0xFFFFFF00, kGreen = 0xFF00FF00,
                   kRed = 0xFFFF0000;
constexpr float kTextSize = 38;  // the size every block leaves the font at

// A side's colour (0 green's side, 1 red's) in the disc look.
uint32_t SideColor(DiscLook look, int side);

// An alpha held to 0..255 before it is packed above the colour's RGB.
inline uint32_t WithAlpha(float alpha, uint32_t rgb) {
    return uint32_t(std::clamp(alpha, 0.0f, 255.0f)) << 24 | (rgb & 0xFFFFFF);
}

// Alignment, colour and cell size of the HUD font for the next texts.
void SetTextStyle(uint8_t alignX, uint8_t alignY, uint32_t color, float size);

// The half-transparent explosion behind a result, grown by the pulse p,
// centred on the screen.
void DrawResultBanner(float p, const ScreenScale& screen);
