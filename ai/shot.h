// One shot as the game fires it and the wire carries it: the striker's spot,
// the force and the angle. Every shot the computer player makes is rounded
// to the game's 1/65536 grid first, as the aim of a person is when the mouse
// button is released, so what it simulated is exactly what the table plays.
#pragma once

#include "game/quantize.h"

namespace ai {

struct Shot {
    float x = 0, z = 0, force = 0, angle = 0;

    bool operator==(const Shot&) const = default;
};

inline Shot OnTheGrid(const Shot& s) {
    return {Quantize16(s.x), Quantize16(s.z), Quantize16(s.force), Quantize16(s.angle)};
}

}  // namespace ai
