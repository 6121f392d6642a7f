#include "game/play_mode.h"

#include "game/game_sound.h"

bool InPlay(const GameState& g) {
    return g.mode == kModeMatch || g.mode == kModePractice;
}

void RestartMusicForMode(GameState& g) {
    SoundOf(g).StopMusic();
    SoundOf(g).SetMusicActive(g.musicOn != 0);
    if (!g.musicOn) return;
    if (InPlay(g))
        SoundOf(g).StartGameMusic(RandomGameTrack(g), kRepeatForever);
    else
        SoundOf(g).StartGameMusic(kIntroTrack, kIntroRepeats);
}
