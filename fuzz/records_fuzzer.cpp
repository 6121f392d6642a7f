// The best-plays file: whatever it holds, loading gives ten rows, and the
// rows saved and loaded again come back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/scratch_file.h"
#include "game/records.h"

namespace {

struct RowCopy {
    char name[128];
    int8_t hours, minutes, seconds, level;
    int32_t shots;
};

RowCopy CopyOf(const BestPlay& row) {
    RowCopy c{};
    if (!row.name) std::abort();  // every row has a name, if only the default one
    std::strncpy(c.name, row.name, sizeof c.name - 1);
    c.hours = row.hours, c.minutes = row.minutes, c.seconds = row.seconds;
    c.level = row.level, c.shots = row.shots;
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile input("ringdisk.dat");
    static ScratchFile saved("saved.dat");
    LoadBestPlays(input.Write(data, size));
    RowCopy loaded[kBestPlayRows];
    for (int r = 0; r < kBestPlayRows; ++r) loaded[r] = CopyOf(BestPlayRow(r));

    if (!SaveBestPlays(saved.path())) std::abort();
    LoadBestPlays(saved.path());
    for (int r = 0; r < kBestPlayRows; ++r) {
        const RowCopy again = CopyOf(BestPlayRow(r));
        if (std::memcmp(&again, &loaded[r], sizeof again) != 0) std::abort();
    }
    ReleaseBestPlays();
    return 0;
}
