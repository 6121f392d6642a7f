#include "game/play_mode.h"

#include "game/game_sound.h"

bool InPlay(const GameState& g) {
    return g.mode == kModeMatch || g.mode == kModePractice;
}

void RestartMusicForMode(GameState& g) {
    Sound().StopMusic();
    Sound().SetMusicActive(g.musicOn != 0);
    if (!g.musicOn) return;
    if (InPlay(g))
        Sound().StartGameMusic(RandomGameTrack(), kRepeatForever);
    else
        Sound().StartGameMusic(kIntroTrack, kIntroRepeats);
}
