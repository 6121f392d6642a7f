#include "scene/scene_layout.h"

#include "game/game_random.h"

std::vector<Disc> IntroDiscs() {
    constexpr uint32_t kIntroSeed = 1792;
    constexpr int kIntroDiscCount = 10;
    auto coordinate = [] { return float(GameRandom() % 5000) / 100 - 25; };
    SeedGameRandom(kIntroSeed);
    std::vector<Disc> discs(kIntroDiscCount);
    for (Disc& disc : discs) {
        disc.color = DiscColor(kColorGreen + GameRandom() % 2);
        disc.z = coordinate();
        disc.x = coordinate();
        disc.status = kStatusOnTable;
    }
    return discs;
}

SceneLayout DiscGrid(int count) {
    SceneLayout layout;
    for (int i = 0; i < count; ++i) {
        Disc disc;
        disc.x = -24.0f + float(i % 7) * 8.0f;
        disc.z = -16.0f + float(i / 7) * 16.0f;
        disc.color = i == 0 ? kColorYellow : i % 2 ? kColorRed : kColorGreen;
        disc.status = kStatusOnTable;
        layout.discs.push_back(disc);
    }
    if (count > 0) layout.cue = CueAim{layout.discs[0].x, layout.discs[0].z};
    return layout;
}
