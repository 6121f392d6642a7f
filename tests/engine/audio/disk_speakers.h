// SDL's disk audio driver as a test's speakers: everything the mixer plays
// lands in a raw file (the mixer's 44 100 Hz, signed 16-bit stereo), which
// the test reads back to measure how loud each side was.
//
// The driver is paced at about ten times real time, so a second of sound
// takes a tenth of a second to come out, and the plays of a test still land
// well inside the sounds they overlap.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

struct Loudness {
    double left = 0, right = 0;  // RMS, full scale 1
    double Both() const { return std::sqrt((left * left + right * right) / 2); }
};

class DiskSpeakers {
public:
    static constexpr int kBytesPerSecond = 44100 * 2 * 2;

    // Must exist before the audio device opens.
    DiskSpeakers() {
        static int opened = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("ringdisk_speakers_" + std::to_string(::getpid()) + "_" +
                 std::to_string(opened++) + ".raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "2", 1);
    }
    ~DiskSpeakers() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    DiskSpeakers(const DiskSpeakers&) = delete;
    DiskSpeakers& operator=(const DiskSpeakers&) = delete;

    uint64_t Written() const {
        std::error_code error;
        const uint64_t size = std::filesystem::file_size(path_, error);
        return error ? 0 : size;
    }

    static uint64_t BytesFor(double seconds) { return uint64_t(seconds * 44100) * 4; }

    // Waits until the driver wrote the bytes from..from+count; false when
    // it stalled for ten seconds.
    bool WaitFor(uint64_t from, uint64_t count) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Written() < from + count) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    Loudness Measure(uint64_t from, uint64_t count) const {
        std::ifstream in(path_, std::ios::binary);
        in.seekg(std::streamoff(from));
        std::vector<char> bytes(count);
        in.read(bytes.data(), std::streamsize(count));
        const size_t frames = size_t(in.gcount()) / 4;
        double energy[2] = {};
        for (size_t i = 0; i < frames * 2; ++i) {
            const int16_t v = int16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8);
            energy[i % 2] += double(v) * v;
        }
        Loudness loudness;
        if (frames == 0) return loudness;
        loudness.left = std::sqrt(energy[0] / double(frames)) / 32768.0;
        loudness.right = std::sqrt(energy[1] / double(frames)) / 32768.0;
        return loudness;
    }

    // Loudness of what comes out over the given seconds from now on, while
    // play (called at once) sounds.
    template <typename Play>
    Loudness Record(double seconds, Play play) const {
        const uint64_t from = Written();
        play();
        if (!WaitFor(from, BytesFor(seconds))) return Loudness{-1, -1};
        return Measure(from, BytesFor(seconds));
    }

    // RMS of each window of the given length over count bytes from from.
    std::vector<double> Envelope(uint64_t from, uint64_t count, double windowSeconds) const {
        std::vector<double> windows;
        const uint64_t window = BytesFor(windowSeconds);
        for (uint64_t at = from; at + window <= from + count; at += window)
            windows.push_back(Measure(at, window).Both());
        return windows;
    }

private:
    std::filesystem::path path_;
};
