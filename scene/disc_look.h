// How the sides' discs look: the classic green and red, or a look that
// players with any of the common colour-vision deficiencies can tell apart
// (blue against a vermillion red, far apart in lightness as well as in hue,
// both far from the yellow striker), in which the red discs also carry a
// light dot on their top so that colour is never the only cue. The HUD's
// side colours follow the look.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "scene/scene.h"

// The table's look from the program's number: any value but kColourSafe's
// reads as classic.
void SetDiscLookOption(GameState& g, int look);

// The material a disc of the colour is drawn with in the look.
const gfx::Material& DiscMaterial(const SceneMeshes& meshes, DiscLook look, DiscColor color);
// The dot on top of a disc of the colour, when the look marks it: the disc
// mesh drawn narrow and a little raised, so that only its top shows through
// the disc's own top. The world matrix is the disc's.
void DrawDiscMark(VEX_XMesh& discMesh, DiscLook look, DiscColor color, float x, float y, float z,
                  float opacity);
