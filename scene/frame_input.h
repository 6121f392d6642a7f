// This frame's input as the aim reads it: the buttons and the mouse's
// travel from the input module, the cursor's point on the table from the
// camera's pick ray, and the cursor's place on the screen for the pin.
#pragma once

#include "game/shot_control.h"
#include "scene/scene.h"

// The point of the table plane under the cursor; false when the cursor is
// outside the game's panel or the ray misses the plane. The camera must be
// placed.
bool PickTablePoint(const Scene& scene, float& x, float& z);

FrameInput ReadAimInput(const Scene& scene, float frameSeconds);
