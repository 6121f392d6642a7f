#include "tools/assetgen/wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

namespace assetgen {

namespace {

void Put16(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

void WriteWave(const std::filesystem::path& path, const Samples& samples, int sampleRate) {
    constexpr std::uint32_t kFormatSize = 18;
    const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
    std::vector<unsigned char> out;
    PutTag(out, "RIFF");
    Put32(out, 4 + (8 + kFormatSize) + (8 + dataSize));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, kFormatSize);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, std::uint32_t(sampleRate));
    Put32(out, std::uint32_t(sampleRate) * 2);  // bytes per second
    Put16(out, 2);                              // block align
    Put16(out, 16);                             // bits per sample
    Put16(out, 0);                              // no extra format bytes
    PutTag(out, "data");
    Put32(out, dataSize);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        Put16(out, std::uint32_t(std::int16_t(v)) & 0xFFFF);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace assetgen
