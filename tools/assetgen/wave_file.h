// Mono 16-bit PCM sounds and their WAV files. The "fmt " chunk is written
// with 18 bytes (the format record including its extra-size field, here 0),
// because the game's loader reads exactly 18 bytes of format.
#pragma once

#include <filesystem>
#include <vector>

namespace assetgen {

inline constexpr int kSampleRate = 22050;

// Samples as floats in -1..1 at kSampleRate.
using Samples = std::vector<float>;

void WriteWave(const std::filesystem::path& path, const Samples& samples,
               int sampleRate = kSampleRate);

}  // namespace assetgen
