// The scene driver's commands, one per line on standard input, each a thin
// call into the game library's exports (see the usage text in
// driver_commands.cpp). Answers and the library's callbacks are printed one
// per line on standard output.
#pragma once

#include <string>

class BareWindow;
class VirtualGamepad;

enum class CommandResult { kContinue, kQuit };

// The aim as the library last reported it.
struct SeenAim {
    float x = 0, z = 0, force = 0, angle = 0;
    int phase = 0;
};

struct DriverState {
    BareWindow& window;
    VirtualGamepad& pad;
    const SeenAim& aim;
    int framesToWait = 0;  // a "frames" command waits for this many frames
    // Draws every tick (1), every second (2) or every fourth (4): the window
    // program's 60, 30 and 15 frames a second; physics runs every tick.
    int refreshDivider = 1;
    // Set by a command that starts the table afresh: a shot or pass the
    // library handed back before it belongs to the old table, as it would
    // in the window program.
    bool tableRestarted = false;
};

CommandResult RunCommand(const std::string& line, DriverState& state);
