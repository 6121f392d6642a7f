// Reading a whole package as the scene setup does: every entry of a
// scrambled, compressed package of a few megabytes, one after another.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/services/vex_package.h"
#include "engine/services/vex_resource.h"
#include "tools/vpfpack/package_writer.h"

namespace {

constexpr const char* kPackagePath = "package_bench.vpf";

// Half the entries compress (images and meshes are repetitive), half do not
// (sampled sounds); about 4 MB in all.
std::vector<PackageSource> BenchEntries() {
    std::vector<PackageSource> entries;
    uint32_t seed = 12345;
    for (int i = 0; i < 40; ++i) {
        PackageSource e;
        e.name = "entry" + std::to_string(i) + (i % 2 ? ".wav" : ".tga");
        e.bytes.resize(100 * 1024);
        for (size_t k = 0; k < e.bytes.size(); ++k) {
            seed = seed * 1664525u + 1013904223u;
            e.bytes[k] =
                i % 2 ? static_cast<uint8_t>(seed >> 24) : static_cast<uint8_t>((k / 64) ^ (k % 7));
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

void BM_ReadEveryEntry(benchmark::State& state) {
    const std::vector<PackageSource> entries = BenchEntries();
    std::string error;
    if (!WritePackage(kPackagePath, 103, entries, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    size_t unpacked = 0;
    for (const PackageSource& e : entries) unpacked += e.bytes.size();

    VEX_Resource resource;  // the reader finds its files through it, as in the library
    VEX_Package package;
    if (!package.Open(kPackagePath, false)) {
        state.SkipWithError("the package did not open");
        return;
    }
    for (auto _ : state) {
        for (int16_t i = 0; i < package.GetCount(); ++i) {
            benchmark::DoNotOptimize(package.ReadEntry(i, false));
        }
    }
    package.Close();
    std::remove(kPackagePath);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * unpacked));
}
BENCHMARK(BM_ReadEveryEntry)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
