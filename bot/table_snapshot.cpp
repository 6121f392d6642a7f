#include "bot/table_snapshot.h"

#include <cmath>

#include "game/table_geometry.h"
#include "game/table_layout.h"

namespace {

// A disc that fell keeps the spot where it was caught, rounded to the
// table's grid afterwards; the rounding can carry it this much further out.
constexpr float kRoundingSlack = 2.0f / 65536.0f;

bool LiesInAHole(float x, float z) {
    const float dx = std::fabs(x) - table::kHoleCenter;
    const float dz = std::fabs(z) - table::kHoleCenter;
    return std::sqrt(dx * dx + dz * dz) < table::kHoleCaptureRadius + kRoundingSlack;
}

}  // namespace

GameState SnapshotTable(const wire::Positions& positions, int sideToMove, int matchSeed) {
    GameState g;
    SetLibraryStartDefaults(g);
    // The colours as the match dealt them: the same generator, the same seed.
    g.tableRandom = RandomSequence(static_cast<uint32_t>(matchSeed));
    StandardLayout(g);
    g.mode = kModeMatch;
    g.currentPlayer = sideToMove;
    g.localSeat = sideToMove;
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        Disc& d = g.discs[disc];
        d.x = positions[(disc - 1) * 2];
        d.z = positions[(disc - 1) * 2 + 1];
        d.status = LiesInAHole(d.x, d.z) ? kStatusPocketed : kStatusOnTable;
        if (d.status == kStatusPocketed) ++g.points[d.color == kColorGreen ? 0 : 1];
    }
    return g;
}
