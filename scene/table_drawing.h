// The 3D content of a frame: the table with its mirror reflection, the
// discs (and the blink of a disc put back), the cue of the player whose
// turn it is, and the intro's still life. Positions come from the game
// state; the camera is already placed.
#pragma once

#include <functional>

#include "game/game_state.h"
#include "scene/scene.h"
#include "scene/scene_layout.h"

// Where the game puts the cue for a shot: pulled back along its length from
// the striker, tilted, turned to the aim, then moved to the striker.
gfx::Matrix CueWorld(const CueAim& cue);

// The cue alone, at an opacity.
void DrawCue(SceneMeshes& meshes, const CueAim& cue, float opacity);

// One disc at its place (on the surface, or in its hole once pocketed), in
// the look; nothing for a disc off the table.
void DrawDisc(SceneMeshes& meshes, uint8_t quality, DiscLook look, const Disc& disc,
              float opacity);

// The table; with the mirror on, the reflected content under its surface
// (masked to the table by the stencil buffer when the device has one),
// with the low-detail disc and no highlights, then the table's base.
enum class TableContent { kIntro, kPlay };
void DrawTable(Scene& scene, const GameState& g, TableContent reflected);

// The same for any content: what the mirror shows under the surface, drawn
// at the reflection's opacity and disc quality; withCue is false where the
// cue would show beyond the table's edge (no stencil buffer).
using ReflectedContent = std::function<void(float opacity, uint8_t quality, bool withCue)>;
struct TableLook {
    uint8_t quality = 1;
    bool mirror = true;
    bool specularOn = true;  // the highlights come back on after the reflection
};
void DrawTableWith(SceneMeshes& meshes, const TableLook& look, const ReflectedContent& reflected);

// The 21 discs in index order, with the put-back disc hidden in the first
// half of each blink. The quality picks the disc mesh (1 the detailed one),
// here and below.
void DrawAllDiscs(Scene& scene, const GameState& g, float opacity, uint8_t quality);
// The cue and striker of whoever aims: this machine's own aim on its turn,
// the other side's as it arrives, neither after a match.
void DrawAimingCue(Scene& scene, const GameState& g, float opacity, uint8_t quality);
// The striker being placed, at the cursor, faded where it may not go.
void DrawPlacedStriker(Scene& scene, const GameState& g);
// The intro's cue (unless left out), striker and ten discs.
void DrawIntroContent(Scene& scene, float opacity, uint8_t quality, DiscLook look,
                      bool withCue = true);
