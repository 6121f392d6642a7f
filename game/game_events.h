// What the game tells whoever drives it, as it happens: a shot this machine
// fired, a turn handed over, the aim to show the other machines, a disc
// scored or taken back, a match or a practice run decided. The game raises
// them on its table; the library's export layer passes them on to the
// program's callbacks with the same arguments, in the same order. An empty
// slot is heard by nobody.
#pragma once

#include <functional>

struct GameEvents {
    // Where, how hard and at what angle this machine's striker was sent.
    std::function<void(float x, float z, float force, float angle)> shotFired;
    std::function<void(int newCurrentPlayer)> turnChanged;
    // The aim being prepared, z before x, for the other machines to show.
    std::function<void(float z, float x, float force, float angle, float aimPhase)> aiming;
    // A disc of the shooter's colour (0 green, 2 red) or of the other
    // colour (1) fell, or a fallen striker took a point back (1 green, 2 red).
    std::function<void(int kind)> point;
    // A match decided (0 a draw, 1 green won, 2 red won) or a practice run
    // over (0).
    std::function<void(int result)> decided;
};
