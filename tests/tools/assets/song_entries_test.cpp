// The twelve songs are standard MIDI files with General MIDI instruments,
// long enough and cleanly loopable, all different, and they play: rendered
// through SDL2_mixer and FluidSynth into SDL's disk audio driver, each gives
// sound.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "built_package.h"

namespace {

std::string SongName(int i) {
    char name[8];
    std::snprintf(name, sizeof name, "%02d.mid", i);
    return name;
}

struct Song {
    int format = -1, tracks = 0, division = 0;
    std::vector<long> trackEnds;     // tick of each track's end event
    std::map<long, uint32_t> tempo;  // tick -> microseconds per quarter
    std::set<int> programmedChannels, playedChannels;
    int notes = 0, hangingNotes = 0, badPrograms = 0;
    std::vector<int> keys;  // every note-on key in order, for comparing songs
    bool ok = true;
    std::string error;

    double Seconds(long tick) const {
        double seconds = 0;
        long at = 0;
        uint32_t usPerQuarter = 500000;
        for (const auto& [t, us] : tempo) {
            if (t >= tick) break;
            seconds += double(t - at) * usPerQuarter / 1e6 / division;
            at = t;
            usPerQuarter = us;
        }
        return seconds + double(tick - at) * usPerQuarter / 1e6 / division;
    }
};

uint32_t Big(const std::vector<uint8_t>& b, std::size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | b[at + i];
    return v;
}

// Reads the file event by event (running status included); the first
// problem found ends the reading with a reason.
Song Parse(const std::vector<uint8_t>& b) {
    Song s;
    auto fail = [&](const std::string& why) {
        s.ok = false;
        s.error = why;
        return s;
    };
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Big(b, 4, 4) != 6)
        return fail("no MThd header");
    s.format = int(Big(b, 8, 2));
    s.tracks = int(Big(b, 10, 2));
    s.division = int(Big(b, 12, 2));
    if (s.division <= 0 || s.division >= 0x8000)
        return fail("division is not in ticks per quarter");
    std::size_t at = 14;
    for (int t = 0; t < s.tracks; ++t) {
        if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk")
            return fail("missing MTrk");
        const std::size_t end = at + 8 + Big(b, at + 4, 4);
        if (end > b.size()) return fail("track runs past the file");
        std::size_t p = at + 8;
        long tick = 0;
        uint8_t status = 0;
        std::map<int, int> sounding;  // channel * 128 + key -> count
        bool ended = false;
        while (p < end && !ended) {
            uint32_t delta = 0;
            for (int i = 0;; ++i) {
                if (p >= end || i == 4) return fail("bad delta time");
                const uint8_t c = b[p++];
                delta = delta << 7 | (c & 0x7F);
                if (!(c & 0x80)) break;
            }
            tick += long(delta);
            if (p >= end) return fail("event cut short");
            if (b[p] & 0x80) status = b[p++];
            if (status == 0xFF) {
                if (p + 2 > end) return fail("meta event cut short");
                const uint8_t type = b[p++];
                const uint8_t length = b[p++];  // the songs' meta events are all short
                if (p + length > end) return fail("meta event runs past its track");
                if (type == 0x51 && length == 3) s.tempo[tick] = Big(b, p, 3);
                if (type == 0x2F) {
                    ended = true;
                    s.trackEnds.push_back(tick);
                }
                p += length;
                continue;
            }
            if (status < 0x80 || status == 0xF0 || status == 0xF7)
                return fail("unexpected status byte");
            const int kind = status & 0xF0, channel = status & 0x0F;
            const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (p + dataBytes > end) return fail("channel event cut short");
            const uint8_t d1 = b[p], d2 = dataBytes > 1 ? b[p + 1] : 0;
            p += dataBytes;
            if (d1 > 127 || d2 > 127) return fail("data byte above 127");
            if (kind == 0xC0) {
                s.programmedChannels.insert(channel);
            } else if (kind == 0x90 && d2 > 0) {
                ++s.notes;
                s.playedChannels.insert(channel);
                s.keys.push_back(d1);
                ++sounding[channel * 128 + d1];
            } else if (kind == 0x80 || (kind == 0x90 && d2 == 0)) {
                --sounding[channel * 128 + d1];
            }
        }
        if (!ended || p != end) return fail("track does not close with its end event");
        for (const auto& [key, count] : sounding) s.hangingNotes += count;
        at = end;
    }
    return s;
}

}  // namespace

TEST(SongEntries, AreGeneralMidiFilesThatLoopCleanly) {
    for (int i = 0; i < 12; ++i) {
        const std::string name = SongName(i);
        const Song s = Parse(PackageEntryBytes(name.c_str()));
        ASSERT_TRUE(s.ok) << name << ": " << s.error;
        EXPECT_TRUE(s.format == 0 || s.format == 1) << name;
        EXPECT_GE(s.notes, 100) << name;
        EXPECT_EQ(s.hangingNotes, 0) << name << " leaves notes sounding into the loop";
        ASSERT_FALSE(s.trackEnds.empty()) << name;
        const long end = *std::max_element(s.trackEnds.begin(), s.trackEnds.end());
        for (long e : s.trackEnds) EXPECT_EQ(e, end) << name << ": tracks end at different ticks";
        EXPECT_EQ(end % (4 * s.division), 0) << name << " does not end on a bar line";
        EXPECT_GE(s.Seconds(end), i == 0 ? 20.0 : 30.0) << name;
        EXPECT_LE(s.Seconds(end), 180.0) << name;
        // Melody, harmony, bass on instruments of their own, and drums.
        for (int channel : s.playedChannels)
            if (channel != 9) {
                EXPECT_TRUE(s.programmedChannels.count(channel)) << name << " channel " << channel;
            }
        EXPECT_GE(s.playedChannels.size(), 3u) << name;
        EXPECT_TRUE(s.playedChannels.count(9)) << name << " has no percussion";
    }
}

TEST(SongEntries, AreDistinctTunes) {
    std::set<std::vector<int>> melodies;
    for (int i = 0; i < 12; ++i) {
        const std::string name = SongName(i);
        EXPECT_TRUE(melodies.insert(Parse(PackageEntryBytes(name.c_str())).keys).second) << name;
    }
}

// Renders the first seconds of every song through the game's music path
// (SDL2_mixer's MIDI through FluidSynth with a General MIDI soundfont) into
// SDL's disk audio driver, as fast as the machine allows, and listens.
class SongPlayback : public testing::Test {
protected:
    static constexpr int kRate = 22050;
    static constexpr int kBytesPerSecond = kRate * 2 * 2;

    void SetUp() override {
        soundfont_ = std::getenv("RINGDISK_SOUNDFONT") ? std::getenv("RINGDISK_SOUNDFONT")
                                                       : "/usr/share/sounds/sf2/TimGM6mb.sf2";
        ASSERT_TRUE(std::filesystem::exists(soundfont_))
            << "no General MIDI soundfont at " << soundfont_;
        output_ = std::filesystem::temp_directory_path() /
                  ("ringdisk_songs_" + std::to_string(::getpid()) + ".raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_NE(Mix_Init(MIX_INIT_MID), 0) << Mix_GetError();
        ASSERT_EQ(Mix_OpenAudio(kRate, AUDIO_S16LSB, 2, 1024), 0) << Mix_GetError();
        opened_ = true;
        ASSERT_TRUE(Mix_HasMusicDecoder("FLUIDSYNTH")) << "SDL2_mixer was built without FluidSynth";
        ASSERT_NE(Mix_SetSoundFonts(soundfont_.c_str()), 0) << Mix_GetError();
    }

    void TearDown() override {
        if (opened_) Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
        std::filesystem::remove(output_);
    }

    std::uintmax_t Written() const {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(output_, error);
        return error ? 0 : size;
    }

    // Loudness (RMS, full scale 1) of count bytes the driver wrote from
    // `from` on. The window is fixed: the driver goes on writing silence
    // after the music stops, as fast as it can, and how much of that lands
    // before the file is read depends on the machine's load.
    double RmsOver(std::uintmax_t from, std::size_t count) const {
        std::ifstream in(output_, std::ios::binary);
        in.seekg(std::streamoff(from));
        std::vector<char> bytes(count);
        in.read(bytes.data(), std::streamsize(count));
        bytes.resize(std::size_t(in.gcount()));
        double energy = 0;
        const std::size_t samples = bytes.size() / 2;
        for (std::size_t i = 0; i < samples; ++i) {
            const int16_t v = int16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8);
            energy += double(v) * v;
        }
        return samples ? std::sqrt(energy / double(samples)) / 32768.0 : 0.0;
    }

    std::string soundfont_;
    std::filesystem::path output_;
    bool opened_ = false;
};

TEST_F(SongPlayback, EverySongSoundsThroughTheSynthesiser) {
    for (int i = 0; i < 12; ++i) {
        const std::string name = SongName(i);
        const std::vector<uint8_t> bytes = PackageEntryBytes(name.c_str());
        Mix_Music* music = Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
        ASSERT_NE(music, nullptr) << name << ": " << Mix_GetError();
        EXPECT_EQ(Mix_GetMusicType(music), MUS_MID) << name;
        // The driver writes silence as fast as it can while nothing plays,
        // so the window starts once the song does.
        ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << name << ": " << Mix_GetError();
        const std::uintmax_t start = Written();
        // Three seconds of music, rendered faster than real time.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (Written() < start + 3 * kBytesPerSecond &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Mix_HaltMusic();
        Mix_FreeMusic(music);
        EXPECT_GE(Written(), start + 3 * kBytesPerSecond) << name << ": the driver stalled";
        EXPECT_GT(RmsOver(start, 3 * kBytesPerSecond), 0.01) << name << " plays silence";
    }
}
