// Damaged packages of every shape: random byte flips, truncations and
// extensions of a valid package must never crash the reader, read outside
// its buffers or leave memory allocated. Built with AddressSanitizer.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "engine/services/vex_package.h"
#include "test_packages.h"

namespace {

void ReadEverything(VEX_Package& package) {
    for (int16_t i = 0; i < package.GetCount(); ++i) {
        if (package.ReadEntry(i, true) > 0) {
            while (package.cursor() + 4 <= package.size()) package.ReadInt();
            package.ReadInt();
        }
        TrackedBytes mine;
        package.ReadEntryInto(i, mine, true);
    }
    package.FindByName("mesa1.tga", true);
}

}  // namespace

TEST(PackageMutation, DamagedPackagesAreRefusedOrReadSafely) {
    for (int version = 100; version <= 103; ++version) {
        std::string valid, error;
        ASSERT_TRUE(BuildPackage(version, SampleEntries(), valid, error)) << error;
        std::mt19937 random(static_cast<uint32_t>(version));
        const MemoryCounters before = Tracker().Counters();
        int opened = 0;
        for (int round = 0; round < 1000; ++round) {
            std::string bytes = valid;
            switch (round % 4) {
                case 0:
                case 1: {  // flip bytes, mostly in the header and table
                    const size_t span = round % 4 == 0 ? 120 : bytes.size();
                    const int flips = 1 + static_cast<int>(random() % 4);
                    for (int f = 0; f < flips; ++f) {
                        bytes[random() % std::min(span, bytes.size())] ^=
                            static_cast<char>(1 + random() % 255);
                    }
                    break;
                }
                case 2:
                    bytes.resize(random() % bytes.size());
                    break;
                case 3:
                    bytes.append(1 + random() % 64, static_cast<char>(random()));
                    break;
            }
            WriteFileBytes("mutated.vpf", bytes);
            {
                VEX_Package package;
                if (package.Open("mutated.vpf", round % 50 == 0)) {
                    ++opened;
                    ReadEverything(package);
                }
            }
            ASSERT_EQ(Tracker().Counters().blocksInUse, before.blocksInUse) << round;
            ASSERT_EQ(Tracker().Counters().bytesInUse, before.bytesInUse) << round;
        }
        // Flips in the data area leave the table valid: the reads ran too.
        EXPECT_GT(opened, 50) << version;
    }
}
