// The aim a person's hand would show before a shot, which the other players
// see through the aim reports: the striker slides to its spot, the button
// goes down and the cue turns and draws back to the chosen angle and force,
// holds a moment, and is released; the cue then runs in at the game's cue
// speed and the shot goes off when it reaches the striker. Time is counted
// in ticks of the frame loop, sixty to the second.
#pragma once

#include "ai/shot.h"
#include "frontend/wire/wire_messages.h"

class AimPlan {
public:
    // The hand at rest: the striker in the middle of the side's line.
    static wire::Aim Resting(int side);

    // From the hand where it is to the shot, over aimTicks before the release.
    AimPlan(const wire::Aim& from, const ai::Shot& shot, int aimTicks);

    wire::Aim At(int tick) const;
    // The cue has reached the striker: the shot goes off.
    bool Done(int tick) const { return tick >= releaseTick_ + cueTicks_; }

private:
    wire::Aim from_;
    ai::Shot shot_;
    int placeTicks_, holdTicks_, releaseTick_, cueTicks_;
};
