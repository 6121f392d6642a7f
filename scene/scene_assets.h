// The scene's assets, in the order the scene starts them: the help text's
// TrueType font, then from the open package the pictures, the six meshes with their materials, the sprites and
// the bitmap font, and the four lights. Pictures are found by name, so a
// missing one leaves a gap in the list without moving what the sprites,
// the font and the fireworks use.
#pragma once

#include "scene/scene.h"

// TrueType font 0 (Verdana 13) for the help panel. False when it could
// not be made at its number.
bool AddSceneHelpFont();
// The help font made again at its size scaled to a panel of this height,
// so its text stays sharp; false (the font kept as it was) when it cannot be.
bool ScaleSceneHelpFont(int panelHeight);
// Every picture the scene draws with, loaded with the scene's loader
// settings (the table's two with a mip level more). False when any is
// missing; the rest are still loaded and the log names the missing one.
bool LoadSceneTextures();
// The meshes fitted to the table's size and given their materials, and
// the three disc colours. False when a mesh is missing (the log says which).
bool LoadSceneMeshes(SceneMeshes& meshes);
// Sprites 0..3 (logo, plain rectangle, explosion, disc icon) and bitmap
// font 0 at 38 x 38. False when any could not be made at its number.
bool MakeSceneSpritesAndFont();
// The four directional lights, all switched on: two that light the table
// and two that only shine (the specular switch turns those off).
void AddSceneLights();
