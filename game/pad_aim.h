// Aiming with a gamepad: the stick stands in for the arrow keys, as far as
// it is pushed, and the shoot button for Space, so the pad feeds the keys'
// steering and from there the one aim path every way of aiming shares.
//
// Sideways the stick moves the striker while placing and turns the cue
// while it is held; pulled towards the player it adds force, pushed away it
// takes force off, as the mouse drawn back and forth does. A stick that
// rests near its middle, as worn sticks do, adds nothing.
#pragma once

#include "game/aim_keys.h"

// The gamepad as one frame reads it.
struct AimPad {
    float x = 0, y = 0;         // the stick, -1 (left, away) .. +1 (right, towards the player)
    bool shootPressed = false;  // the shoot button went down this frame
};

// The share of the stick's travel, from the middle, that counts as rest.
constexpr float kPadDeadZone = 0.25f;

// The key steps the stick gives in the given seconds, added to steps: a
// stick pushed all the way steps as fast as a held key repeats; past the
// dead zone the speed grows with the square of the push, so a small push
// gives the fine steps and a full one the quick sweep.
void AddPadSteps(const AimPad& pad, float seconds, float steps[kAimKeyCount]);
