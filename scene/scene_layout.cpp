#include "scene/scene_layout.h"

Disc PlacedDisc(float x, float z, DiscColor color, DiscStatus status) {
    Disc disc;
    disc.x = x, disc.z = z, disc.color = color, disc.status = status;
    return disc;
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
