#include "frontend/net/table_positions.h"

#include <cstring>

int CountDifferingDiscs(const wire::Positions& a, const wire::Positions& b) {
    int differing = 0;
    for (int disc = 0; disc < wire::kSyncedDiscs; ++disc) {
        // Bit equality: a table that is "close" is still a desynchronised one.
        if (std::memcmp(&a[disc * 2], &b[disc * 2], 2 * sizeof(float)) != 0) ++differing;
    }
    return differing;
}
