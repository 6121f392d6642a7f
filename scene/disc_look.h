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

enum class DiscLook : uint8_t { kClassic = 0, kColourSafe = 1 };

// Any value but kColourSafe's reads as classic.
void SetSceneDiscLook(int look);
DiscLook SceneDiscLook();

// The material a disc of the colour is drawn with in the current look.
const gfx::Material& DiscMaterial(const SceneMeshes& meshes, DiscColor color);
// The dot on top of a disc of the colour, when the current look marks it:
// the disc mesh drawn narrow and a little raised, so that only its top
// shows through the disc's own top. The world matrix is the disc's.
void DrawDiscMark(VEX_XMesh& discMesh, DiscColor color, float x, float y, float z,
                  float opacity);
