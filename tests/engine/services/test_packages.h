// Packages for the reader's tests: a sample set of entries covering every
// storage case, and helpers to put package bytes on disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/vpfpack/package_writer.h"

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Deterministic bytes that deflate cannot shrink.
inline std::vector<uint8_t> NoiseBytes(size_t count, uint32_t seed) {
    std::vector<uint8_t> bytes(count);
    for (uint8_t& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(seed >> 24);
    }
    return bytes;
}

// Mixed-case names, a compressible entry, an incompressible one, a
// duplicate name and an empty entry.
inline std::vector<PackageSource> SampleEntries() {
    std::string table;
    for (int i = 0; i < 200; ++i) table += "mesa verde " + std::to_string(i % 7) + "; ";
    return {
        {"Mesa1.TGA", Bytes(table)},
        {"hit.wav", NoiseBytes(3001, 7)},
        {"fonte.dat", Bytes("ABCDEFGHIJ")},
        {"empty.bin", {}},
        {"mesa1.tga", Bytes("the second mesa1")},
    };
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// Builds a package of entries and writes it to path; empty on success, else
// the writer's reason.
inline std::string WriteSamplePackage(const std::string& path, int version,
                                      const std::vector<PackageSource>& entries = SampleEntries()) {
    std::string bytes, error;
    if (BuildPackage(version, entries, bytes, error)) WriteFileBytes(path, bytes);
    return error;
}
