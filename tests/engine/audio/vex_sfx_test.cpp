// The effect list heard through the disk speakers: effects keep their
// numbers whatever fails to load, overlapping plays become extra voices up
// to the maximum and then restart the effect, levels and pan reach the
// mixer, and nothing sounds or leaks while effects are off.
#include "engine/audio/vex_sfx.h"

#include <gtest/gtest.h>

#include <csignal>

#include "platform/audio/audio_device.h"
#include "tests/base/log_tail.h"
#include "tests/engine/audio/audio_fixture.h"
#include "tests/engine/audio/wave_bytes.h"

namespace {

constexpr double kToneSeconds = 1.5;

class EffectsTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        UsePackage({{"tone.wav", SineWave(kToneSeconds, 0.5)},
                    {"short.wav", SineWave(0.05, 0.5)},
                    {"broken.wav", Riff({Chunk("data", SineSamples(0.1, 0.5)), FormatChunk({})})},
                    {"float.wav", Riff({FormatChunk({.tag = 3}), Chunk("data", Bytes(64, 0))})}});
    }

    // Loudness over the tone's length and a little more.
    Loudness HearToneAfter(auto play) { return speakers.Record(kToneSeconds + 0.2, play); }

    VEX_SFX effects{audio};
};

TEST_F(EffectsTest, SoundsThatFailToLoadKeepTheirNumbers) {
    LogTail log;
    EXPECT_EQ(effects.AddEffect("tone.wav"), 0);
    EXPECT_EQ(effects.AddEffect("missing.wav"), -1);
    EXPECT_EQ(effects.AddEffect("broken.wav"), -1);
    EXPECT_EQ(effects.AddEffect("float.wav"), -1);
    EXPECT_EQ(effects.AddEffect("short.wav"), 4);
    EXPECT_EQ(effects.EffectCount(), 5);
    EXPECT_TRUE(effects.IsValid(0));
    for (int16_t empty : {1, 2, 3}) EXPECT_FALSE(effects.IsValid(empty)) << empty;
    EXPECT_STREQ(effects.EffectOf(2)->name.get(), "broken.wav");
    EXPECT_TRUE(log.HasLine("Arquivo <tone.wav> carregado com sucesso em index <0>."));
    EXPECT_TRUE(log.HasLine("Arquivo <short.wav> carregado com sucesso em index <4>."));
    for (const char* name : {"missing.wav", "broken.wav", "float.wav"})
        EXPECT_TRUE(log.HasLine(std::string("AVISO: Erro ao ler arquivo <") + name + ">."));

    const Loudness silence = speakers.Record(0.3, [&] {
        effects.PlayEffect(2, false, true);
        effects.PlayEffect(50, false, true);
        effects.PlayEffect(-1, false, true);
    });
    EXPECT_EQ(silence.Both(), 0.0);
}

TEST_F(EffectsTest, WithoutASoundDeviceNothingIsAdded) {
    VEX_Audio silent;
    VEX_SFX none(silent);
    EXPECT_EQ(none.AddEffect("tone.wav"), -1);
    EXPECT_EQ(none.EffectCount(), 0);
    none.PlayEffect(0, false, true);
}

TEST_F(EffectsTest, OverlappingPlaysAddVoicesUpToTheMaximumThenRestart) {
    ASSERT_EQ(effects.AddEffect("tone.wav"), 0);
    effects.SetEffectVolume(0, 150);  // room for ten copies without clipping
    const Loudness one = HearToneAfter([&] { effects.PlayEffect(0, false, true); });
    effects.ReleaseFinishedVoices(false);
    ASSERT_GT(one.Both(), 0.0);

    effects.SetMaxVoices(8);
    const Loudness many = HearToneAfter([&] {
        for (int i = 0; i < 10; ++i) effects.PlayEffect(0, false, true);
    });
    // The ninth extra voice found the eight taken and restarted the effect.
    EXPECT_EQ(effects.VoiceCount(), 8);
    EXPECT_GT(many.Both(), 2.0 * one.Both());

    effects.ReleaseFinishedVoices(false);
    EXPECT_EQ(effects.VoiceCount(), 0) << "the voices ended with the sound";
    EXPECT_EQ(audio.soundDevice()->ChannelsInUse(), 1) << "only the effect's own channel";
}

TEST_F(EffectsTest, LevelAndPanReachTheMixerInHundredthsOfADecibel) {
    ASSERT_EQ(effects.AddEffect("tone.wav"), 0);
    const Loudness full = HearToneAfter([&] { effects.PlayEffect(0, false, true); });
    effects.SetEffectVolume(0, 200);  // 200 * 20 - 5100 = -1100: about 0.28 of the level
    const Loudness lower = HearToneAfter([&] { effects.PlayEffect(0, false, true); });
    EXPECT_NEAR(lower.Both() / full.Both(), 0.28, 0.02);

    effects.SetEffectVolume(0, 255);
    effects.SetEffectPan(0, -128);  // the right side down by 2176: about 0.08
    const Loudness left = HearToneAfter([&] { effects.PlayEffect(0, false, true); });
    EXPECT_NEAR(left.left / full.left, 1.0, 0.02);
    EXPECT_NEAR(left.right / full.right, 0.08, 0.01);
}

TEST_F(EffectsTest, NothingSoundsWhileEffectsAreOffAndLevelsSetMeanwhileAreKept) {
    ASSERT_EQ(effects.AddEffect("tone.wav"), 0);
    const Loudness full = HearToneAfter([&] { effects.PlayEffect(0, false, true); });
    effects.SetEffectsEnabled(false);
    effects.SetEffectVolume(0, 200);
    const Loudness off = HearToneAfter([&] {
        effects.PlayEffect(0, false, true);
        effects.PlayEffect(0, false, true);
    });
    EXPECT_EQ(off.Both(), 0.0);
    EXPECT_EQ(effects.VoiceCount(), 0);
    EXPECT_EQ(effects.EffectOf(0)->volume, 200);

    effects.SetEffectsEnabled(true);
    const Loudness on = HearToneAfter([&] { effects.PlayEffect(0, false, true); });
    EXPECT_NEAR(on.Both() / full.Both(), 0.28, 0.02);
}

TEST_F(EffectsTest, ClearingWhileEffectsAreOffStillReleasesEveryVoice) {
    // A first load and clear lets the mixer's channel table grow once.
    ASSERT_EQ(effects.AddEffect("tone.wav"), 0);
    effects.ClearEffects();
    const int32_t blocksBefore = Tracker().Counters().blocksInUse;
    ASSERT_EQ(effects.AddEffect("tone.wav"), 0);
    ASSERT_EQ(effects.AddEffect("short.wav"), 1);
    for (int i = 0; i < 3; ++i) effects.PlayEffect(0, false, true);
    ASSERT_EQ(effects.VoiceCount(), 2);
    effects.SetEffectsEnabled(false);
    effects.ClearEffects();
    EXPECT_EQ(effects.VoiceCount(), 0);
    EXPECT_EQ(effects.EffectCount(), 0);
    EXPECT_EQ(audio.soundDevice()->ChannelsInUse(), 0);
    EXPECT_EQ(Tracker().Counters().blocksInUse, blocksBefore);
}

TEST_F(EffectsTest, TheFinishLineClearsTheList) {
    auto list = std::make_unique<VEX_SFX>(audio);
    ASSERT_EQ(list->AddEffect("tone.wav"), 0);
    list->PlayEffect(0, true, true);
    LogTail log;
    list.reset();
    EXPECT_TRUE(log.HasLine("Finalizando VEX_SFX: Ok."));
    EXPECT_EQ(audio.soundDevice()->ChannelsInUse(), 0);
}

}  // namespace

namespace {

// Ctrl-C must still end the program: SDL may not take SIGINT or SIGTERM.
bool SignalLeftAlone(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_DFL;
}

TEST_F(EffectsTest, StartingTheAudioLeavesTheProcessSignalsAlone) {
    EXPECT_TRUE(SignalLeftAlone(SIGINT));
    EXPECT_TRUE(SignalLeftAlone(SIGTERM));
}

TEST(AudioStart, AMachineWithoutSoundStartsSilentAndSaysSo) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    VEX_Audio audio;
    LogTail log;
    EXPECT_FALSE(audio.Initialise());
    EXPECT_TRUE(log.HasLine("Iniciando VEX_Audio: Erro."));
    EXPECT_EQ(audio.soundDevice(), nullptr);
    EXPECT_EQ(audio.musicPlayer(), nullptr);
    VEX_SFX effects(audio);
    EXPECT_EQ(effects.AddEffect("tone.wav"), -1);
}

TEST(AudioStart, WithoutTheSoundfontEffectsStillPlayButMusicIsOff) {
    DiskSpeakers speakers;
    setenv("RINGDISK_SOUNDFONT", "/no/such/soundfont.sf2", 1);
    VEX_Audio audio;
    LogTail log;
    EXPECT_FALSE(audio.Initialise());
    unsetenv("RINGDISK_SOUNDFONT");
    EXPECT_TRUE(log.HasLine("Iniciando VEX_Audio: Erro."));
    EXPECT_NE(audio.soundDevice(), nullptr);
    EXPECT_EQ(audio.musicPlayer(), nullptr);
}

}  // namespace
