#include "game/intro.h"

#include "game/game_sound.h"

namespace {

constexpr uint32_t kIntroSeed = 1792;
constexpr int kIntroDiscCount = 10;

std::vector<Disc> DealIntroDiscs(RandomSequence& random) {
    auto coordinate = [&random] { return float(random.Next() % 5000) / 100 - 25; };
    std::vector<Disc> discs(kIntroDiscCount);
    for (Disc& disc : discs) {
        disc.color = DiscColor(kColorGreen + random.Next() % 2);
        disc.z = coordinate();
        disc.x = coordinate();
        disc.status = kStatusOnTable;
    }
    return discs;
}

}  // namespace

void ReturnToIntro(GameState& g) {
    if (g.mode == kModeIdle) return;
    ResetTable(g);
    g.practicePhase = kPhasePlaying;
    if (g.musicOn) SoundOf(g).StartGameMusic(kIntroTrack, kIntroRepeats);
}

std::vector<Disc> IntroDiscs() {
    RandomSequence random(kIntroSeed);
    return DealIntroDiscs(random);
}

// The intro was always dealt from the game's generator in every frame that
// showed it, and what is laid from it next outside a match or a run (the
// best plays' table) follows from where that left it; a frame of the intro
// keeps leaving it there, with or without a picture.
void SettleIntroRandom(GameState& g) {
    RandomSequence random(kIntroSeed);
    DealIntroDiscs(random);
    g.tableRandom = random;
}
