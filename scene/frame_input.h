// This frame's input as the game reads it: the buttons, keys and the
// mouse's travel from the input module, the cursor's place on the screen
// for the pin, and the cursor's point on the table from the camera's pick
// ray.
#pragma once

#include "engine/services/vex_input.h"
#include "game/shot_control.h"
#include "scene/scene.h"

// The point of the table plane under the cursor; false when the cursor is
// outside the game's panel or the ray misses the plane. The camera must be
// placed.
bool PickTablePoint(const Scene& scene, float& x, float& z);

// The gamepad's stick and shoot button from the input module.
void ReadAimPad(const VEX_Input& input, AimPad& pad);

// Everything but the table point, which the game picks once the view has
// settled. The input state must be updated for the frame.
FrameInput ReadFrameInput(float frameSeconds);
