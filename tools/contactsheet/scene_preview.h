// The game's intro table as the green player's camera sees it, drawn by the
// game's own scene on the OpenGL device from the generated meshes and
// textures, so the shapes can be judged without the game. Needs an X
// display (scripts/run-with-display.sh provides one).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// contactsheet's exit status when there is no X display to draw on.
constexpr int kExitNoDisplay = 3;

struct PreviewImage {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> argb;  // width x height, top row first
};

enum class PreviewOutcome { Drawn, NoDisplay, Failed };

// Draws from the asset folder; the reason goes to error unless Drawn.
PreviewOutcome DrawScenePreview(const std::string& assetDir, uint16_t width, uint16_t height,
                                PreviewImage& image, std::string& error);
