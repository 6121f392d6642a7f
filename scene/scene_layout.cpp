#include "scene/scene_layout.h"

#include "game/game_random.h"

Disc PlacedDisc(float x, float z, DiscColor color, DiscStatus status) {
    Disc disc;
    disc.x = x, disc.z = z, disc.color = color, disc.status = status;
    return disc;
}

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
    for (int i = 0; i < count; ++i)
        layout.discs.push_back(PlacedDisc(-24.0f + float(i % 7) * 8.0f,
                                          -16.0f + float(i / 7) * 16.0f,
                                          i == 0  ? kColorYellow
                                          : i % 2 ? kColorRed
                                                  : kColorGreen));
    if (count > 0) layout.cue = CueAim{layout.discs[0].x, layout.discs[0].z};
    return layout;
}
