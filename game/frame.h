// The game's share of one frame, the same whether a scene draws it or no
// one looks at the table: the view turned by the mouse, the celebration
// after a match, the put-back disc's blink, the aim and the cue, the pause
// key, the intro's turn and the practice run clock, in that order. Drawing
// follows from the state this leaves. (A practice run's levels change on its
// physics steps.)
#pragma once

#include "game/game_state.h"
#include "game/shot_control.h"

// What a frame needs from whoever shows the table.
class FrameView {
public:
    virtual ~FrameView() = default;
    // The view has settled for this frame: the camera goes where it looks,
    // before the aim picks through it.
    virtual void PlaceCamera(const GameState& g) = 0;
    // The point of the table plane under the cursor, through that camera;
    // false when there is none.
    virtual bool PickTable(float& x, float& z) = 0;
};

// One frame of the game; view is null for a table nobody looks at. True
// when this machine's player moved the striker on the table this frame,
// which the picture then shows at the aim.
bool RunGameFrame(GameState& g, const FrameInput& input, FrameView* view);

// Seconds since the previous call, by the monotonic clock; the first call
// answers 0. Called once per frame, seen or not, this is the frame's time:
// the one clock that paces the cue, the aim's keys and pad, and every timer
// and animation of the frame.
float MeasureFrameSeconds();
float LastFrameSeconds();
// The next frame answers 0 again: the time the library spent bringing its
// scene up or down is no time the game played.
void RestartFrameClock();
