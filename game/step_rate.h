// How often the game steps: the physics, the turn clock and practice's
// phase timers all count in steps, 60 to the second, on every machine alike.
// It includes nothing, so the rules and practice mode may share it without
// reaching into each other.
#pragma once

constexpr int kStepsPerSecond = 60;
