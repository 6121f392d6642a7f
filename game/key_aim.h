// Aiming with the keys: they stand in for the cursor and the mouse button
// and add their turn and pull to the frame's input, so the aim step takes a
// keyboard shot exactly as it takes a mouse shot: the same placement rules,
// limits, quantisation, latch and cue run, and the same Shoot callback.
//
// The keys take the striker over when one of them is used while placing and
// keep it until the mouse moves or its button goes down; a player who never
// touches them aims exactly as before. A gamepad steers through the same
// steps (see pad_aim.h).
#pragma once

#include "game/game_state.h"
#include "game/shot_control.h"

// A tap's step: the striker along the shooting line in table units; the
// angle and the force as far as two and four mouse counts move them at the
// default sensitivity, so a tap and a nudge of the mouse land on the same
// values. Shift makes each a tenth.
constexpr float kKeyStrikerStep = 0.5f;
constexpr float kKeyAngleStep = 2.0f / 80.0f;
constexpr float kKeyForceStep = 4.0f / 15.0f;
constexpr float kKeyFineFactor = 0.1f;

// Turns this frame's keys and gamepad into the cursor's table point, the button and the
// aim's turn and pull. Run before the aim step, after the table was picked.
void SteerAimByKeys(GameState& g, FrameInput& input);
