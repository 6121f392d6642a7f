// The match an online game has set up: who plays green and who red, whether
// it still runs, who won the last one, its seed, and the pause before the
// next one. Every machine keeps one; only the host decides what comes next.
#pragma once

#include <optional>

// Ticks between the end of a match and the start of the next (13 s at 60).
constexpr int kMatchOverTicks = 780;
// The winner slot of a drawn match: no slot won it.
constexpr int kNoWinnerSlot = 0;

struct MatchState {
    bool running = false;
    int greenSlot = 0;  // 0 before the first match of an online game
    int redSlot = 0;
    int winnerSlot = kNoWinnerSlot;
    int seed = 0;                  // the host's own choice, or the one its "INIT:" carried
    std::optional<int> countdown;  // ticks of the pause after a match

    // The seat the library takes for the player in this slot: 1 plays
    // green, 2 plays red, 0 watches.
    int SeatFor(int slot) const { return slot == greenSlot ? 1 : slot == redSlot ? 2 : 0; }
    bool IsPlayedBy(int slot) const { return running && (slot == greenSlot || slot == redSlot); }

    void Begin(int green, int red, int matchSeed) {
        running = true;
        greenSlot = green;
        redSlot = red;
        seed = matchSeed;
    }
    // From the library's result: 0 draw, 1 green won, 2 red won.
    void Finish(int result) {
        running = false;
        winnerSlot = result == 1 ? greenSlot : result == 2 ? redSlot : kNoWinnerSlot;
    }
    void Stop() {
        running = false;
        countdown.reset();
    }
};
