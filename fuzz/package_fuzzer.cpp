// The package reader over any file: open it, then read every entry both
// ways, walk each loaded entry with the cursor reads, and find each entry
// by its name. Every tracked block must be returned once the package closes.
#include <cstdint>
#include <cstdlib>

#include "base/debug_log.h"
#include "engine/services/vex_package.h"
#include "engine/services/vex_resource.h"
#include "fuzz/scratch_file.h"

namespace {

void WalkEntry(VEX_Package& package) {
    const uint32_t size = package.size();
    package.ReadByte();
    package.ReadShort();
    package.ReadFloat();
    while (package.cursor() + 4 <= size) package.ReadInt();
    package.ReadInt();  // past the end: a warning, not a read
    uint8_t tail[8];
    package.ReadBytes(sizeof tail, tail);
    if (size > 0) package.SetCursor(size - 1);
    package.SetCursor(size);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every warning is formatted and written, as in the game, but nowhere.
    Log().Create("/dev/null");
    static VEX_Resource* resource = new VEX_Resource();  // lives as long as the process
    (void)resource;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile file("dados.vpf");
    const int64_t blocksBefore = Tracker().Counters().blocksInUse;
    {
        VEX_Package package;
        if (package.Open(file.Write(data, size), true)) {
            for (int16_t i = 0; i < package.GetCount(); ++i) {
                if (const char* name = package.GetEntryName(i)) package.FindByName(name, true);
                if (package.ReadEntry(i, true) > 0) WalkEntry(package);
                TrackedBytes own;
                package.ReadEntryInto(i, own, true);
            }
            package.ReleaseData();
        }
    }
    if (Tracker().Counters().blocksInUse != blocksBefore) std::abort();  // a tracked leak
    return 0;
}
