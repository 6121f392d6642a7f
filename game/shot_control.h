// Aiming and shooting: the mouse moves the local aim once per drawn frame,
// a released button runs the cue in and hands the shot to the program, and
// the program starts the same shot on every machine.
#pragma once

#include "game/aim_keys.h"
#include "game/game_state.h"
#include "game/pad_aim.h"
#include "game/table_facts.h"

using table::kAngleLimit;
using table::kForceLimit;
using table::kMinimumShotForce;  // a release at or below this cancels the shot
constexpr float kCueSpeed = 90.0f;         // force units per second

// One frame of input as the game reads it; the scene fills it from the
// input devices and the table picking, a table nobody looks at leaves it
// empty.
struct FrameInput {
    bool leftButton = false;
    bool shiftHeld = false;                           // either Shift key
    bool rightButton = false, middleButton = false;   // turn and straighten the view
    bool pausePressed = false;                        // the P key went down this frame
    int dx = 0, dy = 0;            // relative mouse counts of this frame
    bool tableHit = false;         // the ray under the cursor meets the table
    float tableX = 0, tableZ = 0;  // the point it meets
    int cursorX = 0, cursorY = 0;  // screen position, saved when the button goes down
    float frameSeconds = 0;
    AimKeys keys{};             // the aiming keys
    AimPad pad{};               // the gamepad, which steers as the keys do
    float turn = 0, pull = 0;   // the keys' change of angle and force while the cue is held
};

// One frame of aiming; fires the Shoot callback when the cue reaches the
// striker. True when this machine's player moved the striker on the table
// this frame, which the scene then draws at the aim, faded where it may not
// be placed.
bool RunAimStep(GameState& g, const FrameInput& input);

// Starts a shot from the striker position; false while discs still move.
bool FireShot(GameState& g, float x, float z, float force, float angle);

// The other side's aim, kept for drawing its striker and cue.
void StorePeerAim(GameState& g, float z, float x, float force, float angle, uint8_t show);

// Losing the focus drops the aim in progress.
void SetFocus(GameState& g, bool hasFocus);
