#include "game/intro.h"

#include "game/game_sound.h"

void ReturnToIntro(GameState& g) {
    if (g.mode == kModeIdle) return;
    ResetTable(g);
    g.practicePhase = kPhasePlaying;
    if (g.musicOn) SoundOf(g).StartGameMusic(kIntroTrack, kIntroRepeats);
}
