// What the table scene draws on the table: discs where the game keeps them
// and, when shown, the cue behind the striker.
#pragma once

#include <optional>
#include <vector>

#include "game/game_state.h"
#include "game/intro.h"  // the intro's layout: IntroDiscs

// The cue as the game draws it for a shot.
struct CueAim {
    float x = 0, z = 0;     // the striker's centre
    float angle = 0;        // the aim, in radians about the vertical; 0 shoots towards -z
    float pullBack = 2.5f;  // from the striker's centre to the tip: 2.5 + the shot's force
};

// A still disc of the colour at (x, z), on the table unless the status says
// it is in its hole or off the table.
Disc PlacedDisc(float x, float z, DiscColor color, DiscStatus status = kStatusOnTable);

struct SceneLayout {
    std::vector<Disc> discs;  // drawn in order; discs off the table are not drawn
    std::optional<CueAim> cue;
};

// A layout for measuring and checking the drawing: count discs on a grid
// over the surface (the first yellow, then red and green in turn) and the
// cue behind the yellow one.
SceneLayout DiscGrid(int count);
