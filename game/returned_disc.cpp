#include "game/returned_disc.h"

#include "game/game_sound.h"

namespace {
constexpr int32_t kBlinkHidden = 25, kBlinkPeriod = 49, kBlinkCycles = 5;
}

void AdvanceReturnBlink(GameState& g) {
    if (!g.discReturned) return;
    ShowTimers& t = g.show;
    if (++t.blinkTicks <= kBlinkPeriod) return;
    if (g.audioOn) SoundOf(g).PlayEffect(kEffectReturn);
    t.blinkTicks = 0;
    if (++t.blinkCycles < kBlinkCycles) return;
    t.blinkCycles = 0;
    g.discReturned = 0;
}

bool ReturnedDiscHidden(const GameState& g) {
    return g.discReturned && g.show.blinkTicks <= kBlinkHidden;
}
