// A software drawing of the game's intro table as the green player's camera
// sees it, from the generated meshes and textures with the scene's fitting,
// materials and lights, so the shapes can be judged without the game. It
// culls like Direct3D (counter-clockwise faces on screen are dropped), so a
// mesh wound the wrong way shows up as holes.
#pragma once

#include <string>
#include <vector>

struct PreviewImage {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // width x height x 3, top row first
};

// Draws from the asset folder; empty with a reason in error on failure.
PreviewImage DrawScenePreview(const std::string& assetDir, int width, int height,
                              std::string& error);
