// The 2D layer's texts and pictures: the match HUD (whose turn, the shot
// clock, the result banner), the practice HUD (level, tries, shots, run
// time, pause, hints, the run's end), the best-plays screen, the F1 help
// panel and the version text. Each is drawn from the game state and the
// frame's time alone, with bitmap font 0, TrueType font 0 and the scene's
// sprites 1 to 3; without them it draws nothing.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "scene/screen_scale.h"

struct HudFrame {
    int width = 0, height = 0;  // the 2D screen, pixels
    float frameSeconds = 0;
    uint32_t textureFilter = 0;  // stage 0's filter, put back after the point-sampled icons

    ScreenScale Screen() const { return ScreenScale::Of(width, height); }
};

// Match HUD in a match, practice HUD in practice, nothing otherwise.
void DrawHud(const GameState& g, const HudFrame& frame);
// The best-plays table where the screen's time puts it: sliding in, standing,
// sliding out.
void DrawRecordsScreen(const GameState& g, const HudFrame& frame);
// F1 or the gamepad's help button held (with the focus) fades the help in,
// else it fades out; alpha 0..255. byPad tells which of them brought it up
// last, so the strip under it names that device's controls.
void FadeHelp(bool hasFocus, float& alpha, bool& byPad, float frameSeconds);
// alpha 0..255; nothing at 0.
void DrawHelpPanel(float alpha, int width, int height, int language);
// The aiming keys, or the gamepad's controls, in a strip under the help
// panel, shown with it.
void DrawKeysPanel(float alpha, int width, int height, int language, bool gamepad);
void DrawVersionText(int width, int height);
