// The keys that aim beside the mouse, as one frame reads them, and what the
// keyboard's aim keeps from frame to frame. A tap moves by one step; a key
// held a moment longer repeats its step smoothly, so a slow and exact aim
// and a quick sweep both come from the same keys.
#pragma once

enum AimKey {
    kAimKeyLeft = 0,   // Left arrow: the striker left while placing, then the cue swings left
                       // as a mouse moved left swings it, sending the shot to the right
    kAimKeyRight,      // Right arrow
    kAimKeyUp,         // Up arrow: less force
    kAimKeyDown,       // Down arrow: more force, the cue drawn back towards the player
    kAimKeyPlaceLeft,  // A: the striker left while placing
    kAimKeyPlaceRight, // D
    kAimKeyShoot,      // Space: takes the cue, then shoots
    kAimKeyCount
};

// A key held this long repeats its step this many times a second; about
// the delay a desktop waits before it repeats a key. A gamepad's stick
// pushed all the way steps as fast.
constexpr float kKeyRepeatDelay = 0.5f;
constexpr float kKeyRepeatRate = 20.0f;

// A key repeats after the time the player held it, whatever the drawing
// took: it is paced by the frame's own time (FrameInput::frameSeconds).
struct AimKeys {
    bool down[kAimKeyCount] = {};
    // How many times the key went down since the previous frame: every tap
    // counts once, also several in one frame and one too short for a frame
    // to see the key down.
    int presses[kAimKeyCount] = {};
};

struct KeyAimState {
    bool steering = false;  // the keys, not the cursor, put the striker
    bool holding = false;   // the keys took the cue, as a held mouse button would
    float x = 0;            // the striker along the shooting line while steering
    float heldSeconds[kAimKeyCount] = {};
    // Presses of the shoot key beyond the one a frame can use (take the cue,
    // then shoot), used by the next frames of the same aim.
    int shootsWaiting = 0;
};
