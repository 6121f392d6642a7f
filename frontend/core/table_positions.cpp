#include "frontend/core/table_positions.h"

#include <cstring>

#include "vexlib/exports.h"

wire::Positions ReadTablePositions() {
    wire::Positions p{};
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        p[(disc - 1) * 2] = GetDiscoX(disc);
        p[(disc - 1) * 2 + 1] = GetDiscoZ(disc);
    }
    return p;
}

void WriteTablePositions(const wire::Positions& positions) {
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        SetDiscoX(disc, positions[(disc - 1) * 2]);
        SetDiscoZ(disc, positions[(disc - 1) * 2 + 1]);
    }
}

int CountDifferingDiscs(const wire::Positions& a, const wire::Positions& b) {
    int differing = 0;
    for (int disc = 0; disc < wire::kSyncedDiscs; ++disc) {
        // Bit equality: a table that is "close" is still a desynchronised one.
        if (std::memcmp(&a[disc * 2], &b[disc * 2], 2 * sizeof(float)) != 0) ++differing;
    }
    return differing;
}
