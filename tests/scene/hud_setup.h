// The scene's 2D assets made the way the scene makes them when it starts,
// for the HUD's tests and benchmark: TrueType font 0 (Verdana 13), sprites
// 0 to 3 (logo, plain rectangle, explosion, disc icon) and bitmap font 0
// at 38 x 38, over the textures already in the list by name.
#pragma once

// False when any of them could not be made at its number.
bool AddHudFontsAndSprites();
