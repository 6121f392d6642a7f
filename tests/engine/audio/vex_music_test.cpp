// The song list heard through the disk speakers, with a short song made for
// the test: one piano note, then silence up to the song's end, so that each
// time the song plays shows as one burst of sound.
#include "engine/audio/vex_music.h"

#include <gtest/gtest.h>

#include "tests/base/log_tail.h"
#include "tests/engine/audio/audio_fixture.h"
#include "tests/engine/audio/wave_bytes.h"

namespace {

constexpr double kSongSeconds = 1.5;  // at 120 beats a minute, 480 ticks a beat

// A standard MIDI file: program 0, a quarter of a second of middle C, and
// the track's end at kSongSeconds.
Bytes NoteSong(uint8_t key = 60) {
    const Bytes track = {0x00, 0xC0, 0x00,               // piano
                         0x00, 0x90, key,  0x64,         // note on
                         0x81, 0x70, 0x80, key,  0x40,   // 240 ticks later: off
                         0x89, 0x30, 0xFF, 0x2F, 0x00};  // 1200 ticks later: end
    Bytes song = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0};
    const Bytes chunk = {'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(track.size())};
    song.insert(song.end(), chunk.begin(), chunk.end());
    song.insert(song.end(), track.begin(), track.end());
    return song;
}

// Rising edges of the loudness envelope above a fifth of its peak.
int Bursts(const std::vector<double>& envelope) {
    double peak = 0;
    for (double v : envelope) peak = std::max(peak, v);
    int bursts = 0;
    bool loud = false;
    for (double v : envelope) {
        const bool now = v > peak / 5;
        bursts += now && !loud;
        loud = now;
    }
    return bursts;
}

class MusicTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        UsePackage(
            {{"note.mid", NoteSong()}, {"high.mid", NoteSong(84)}, {"text.mid", Bytes(40, 'x')}});
        ASSERT_TRUE(music.Initialise());
        ASSERT_EQ(music.AddSong("note.mid"), 0);
    }

    // Plays the song and answers how many times it was heard once it
    // stopped by itself, or -1 when it was still playing after `limit`
    // seconds of output.
    int TimesHeard(int32_t repeats, double limit) {
        const uint64_t from = speakers.Written();
        music.PlaySong(0, repeats, 0);
        uint64_t length = DiskSpeakers::BytesFor(0.2);
        while (music.IsPlaying(0)) {
            if (length > DiskSpeakers::BytesFor(limit)) return -1;
            length += DiskSpeakers::BytesFor(0.1);
            if (!speakers.WaitFor(from, length)) return -2;
        }
        // The last burst's tail, and the device's own delay.
        length += DiskSpeakers::BytesFor(0.3);
        if (!speakers.WaitFor(from, length)) return -2;
        return Bursts(speakers.Envelope(from, length, 0.05));
    }

    VEX_Music music{audio};
};

TEST_F(MusicTest, TheRepeatCountIsHowManyMoreTimesTheSongPlays) {
    EXPECT_EQ(TimesHeard(0, 10 * kSongSeconds), 1);
    EXPECT_EQ(TimesHeard(1, 10 * kSongSeconds), 2);
    EXPECT_EQ(TimesHeard(2, 10 * kSongSeconds), 3);
    EXPECT_EQ(TimesHeard(VEX_Music::kRepeatForever, 4 * kSongSeconds), -1);
    music.StopSongs(-1);
    EXPECT_FALSE(music.IsPlaying(0));
}

TEST_F(MusicTest, RepeatCountsMapToTheMixersCountOfPlays) {
    EXPECT_EQ(PlaysForRepeats(0), 1);
    EXPECT_EQ(PlaysForRepeats(1), 2);
    EXPECT_EQ(PlaysForRepeats(-1), -1);
    EXPECT_EQ(PlaysForRepeats(-7), -1);
    EXPECT_EQ(PlaysForRepeats(INT32_MAX), INT32_MAX);
}

TEST_F(MusicTest, OneSongAtATimeAndOnlyWhileActive) {
    ASSERT_EQ(music.AddSong("high.mid"), 1);
    music.PlaySong(0, VEX_Music::kRepeatForever, 0);
    music.PlaySong(1, VEX_Music::kRepeatForever, 0);
    EXPECT_FALSE(music.IsPlaying(0));
    EXPECT_TRUE(music.IsPlaying(1));
    music.StopSongs(0);  // not the one playing
    EXPECT_TRUE(music.IsPlaying(1));

    music.SetActive(false);
    music.StopSongs(-1);
    EXPECT_TRUE(music.IsPlaying(1)) << "an inactive list stops nothing";
    music.SetActive(true);
    music.StopSongs(1);
    EXPECT_FALSE(music.IsPlaying(1));
    music.SetActive(false);
    const Loudness quiet = speakers.Record(1.0, [&] { music.PlaySong(0, 0, 0); });
    EXPECT_FALSE(music.IsPlaying(0));
    EXPECT_EQ(quiet.Both(), 0.0);
}

TEST_F(MusicTest, TheLevelStartsFullAndScalesTheSong) {
    EXPECT_EQ(music.volume(), 255);
    // The first play makes the playable song, which takes a while: the
    // measured plays find it made.
    music.PlaySong(0, 0, 0);
    music.StopSongs(-1);
    const Loudness full = speakers.Record(kSongSeconds, [&] { music.PlaySong(0, 0, 0); });
    music.SetMusicVolume(238, 0);  // -340: about 0.68
    const Loudness game = speakers.Record(kSongSeconds, [&] { music.PlaySong(0, 0, 0); });
    ASSERT_GT(full.Both(), 0.001);
    EXPECT_NEAR(game.Both() / full.Both(), 87.0 / 128, 0.03);
}

TEST_F(MusicTest, SongsThatFailToLoadKeepTheirNumbers) {
    LogTail log;
    EXPECT_EQ(music.AddSong("missing.mid"), -1);
    EXPECT_EQ(music.AddSong("text.mid"), -1);
    EXPECT_EQ(music.AddSong("high.mid"), 3);
    EXPECT_EQ(music.SongCount(), 4);
    EXPECT_FALSE(music.IsValid(1));
    EXPECT_FALSE(music.IsValid(2));
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao ler arquivo <missing.mid>."));
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao ler arquivo <text.mid>."));
    EXPECT_TRUE(log.HasLine("Arquivo <high.mid> carregado com sucesso em index <3>."));
    music.PlaySong(1, 0, 0);
    EXPECT_FALSE(music.IsPlaying(1));
}

TEST_F(MusicTest, StartAndFinishLines) {
    VEX_Audio silent;
    LogTail log;
    {
        VEX_Music none(silent);
        EXPECT_FALSE(none.Initialise());
        EXPECT_EQ(none.AddSong("note.mid"), -1);
        EXPECT_FALSE(none.active());
    }
    EXPECT_TRUE(log.HasLine("Iniciando VEX_Music: Erro."));
    EXPECT_TRUE(log.HasLine("Finalizando VEX_Music: Ok."));
}

}  // namespace
