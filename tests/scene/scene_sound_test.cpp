// The scene's sound over the built package, heard through SDL's disk driver:
// every effect and song loads at the number the game uses, every effect is
// heard, and the exports PlaySFX, SetaAudio and SetaMusica reach the
// speakers once the scene's sound is installed.
#include "scene/scene_sound.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/audio/vex_audio.h"
#include "engine/audio/vex_sfx.h"
#include "engine/audio/wave_reader.h"
#include "engine/modules/engine_modules.h"
#include "engine/services/vex_package.h"
#include "game/game_state.h"
#include "tests/base/log_tail.h"
#include "tests/engine/audio/disk_speakers.h"
#include "vexlib/exports.h"

namespace {

class SceneSoundTest : public testing::Test {
protected:
    // The device opens once, on one speaker file, for the whole suite, as
    // the scene opens it once for the process.
    static void SetUpTestSuite() {
        speakers = new DiskSpeakers;
        package = new VEX_Package;
        ASSERT_TRUE(package->Open(RINGDISK_PACKAGE, false)) << RINGDISK_PACKAGE;
        Resource().SetPackage(package);
        LogTail log;
        sound = new SceneSound(Audio(), Effects());
        sound->Load();
        loadLog = new std::string(log.Text());
    }
    static void TearDownTestSuite() {
        Game().outputs.sound = nullptr;
        if (sound) {
            sound->ClearEffects();
            sound->DeleteMusic();
        }
        delete sound;
        Resource().SetPackage(nullptr);
        delete package;
        delete loadLog;
        delete speakers;
    }

    static bool Loaded(const std::string& utf8Line) {
        return loadLog->find(ToWindows1252(utf8Line) + "\r\n") != std::string::npos;
    }

    // The effect's length, from its entry in the package.
    static double Seconds(int effect) {
        const int16_t entry =
            package->FindByName(Effects().EffectOf(int16_t(effect))->name.get(), false);
        TrackedBytes bytes;
        const uint32_t size = package->ReadEntryInto(entry, bytes, false);
        ParsedWave wave;
        if (ParseWave(bytes.get(), size, wave) != WaveResult::kOk) return 0;
        return double(wave.sampleBytes) / wave.format.blockAlign / wave.format.samplesPerSecond;
    }

    static Loudness HearEffect(int effect, auto play) {
        return speakers->Record(Seconds(effect) + 0.2, play);
    }

    // What comes out over seconds from now, once what was mixed before
    // has drained.
    static Loudness HearNext(double seconds) {
        const uint64_t from = speakers->Written() + DiskSpeakers::BytesFor(0.1);
        if (!speakers->WaitFor(from, DiskSpeakers::BytesFor(seconds))) return Loudness{-1, -1};
        return speakers->Measure(from, DiskSpeakers::BytesFor(seconds));
    }

    static DiskSpeakers* speakers;
    static VEX_Package* package;
    static SceneSound* sound;
    static std::string* loadLog;
};

DiskSpeakers* SceneSoundTest::speakers = nullptr;
VEX_Package* SceneSoundTest::package = nullptr;
SceneSound* SceneSoundTest::sound = nullptr;
std::string* SceneSoundTest::loadLog = nullptr;

TEST_F(SceneSoundTest, EffectsAndSongsLoadAtTheNumbersTheGameUses) {
    ASSERT_EQ(Effects().EffectCount(), kEffectCount);
    for (int16_t i = 0; i < kEffectCount; ++i) EXPECT_TRUE(Effects().IsValid(i)) << i;
    const struct {
        int effect;
        const char* name;
        int volume;
    } kNumbered[] = {
        {kEffectShot, "hit.wav", 255},
        {kEffectWall, "colmesa.wav", 245},
        {kEffectDiscHit, "col.wav", 230},
        {kEffectPocket, "gol.wav", 240},
        {kEffectReturn, "repoe.wav", 250},
        {kEffectWin, "win.wav", 255},
        {kEffectLose, "lose.wav", 255},
        {kEffectDraw, "draw.wav", 255},
        {kEffectMatchStart, "initp.wav", 255},
        {16, "plop.wav", 200},
        {11, "haha.wav", 255},
        {26, "shake.wav", 255},
    };
    for (const auto& n : kNumbered) {
        const SoundEffect* effect = Effects().EffectOf(int16_t(n.effect));
        ASSERT_NE(effect, nullptr) << n.name;
        EXPECT_STREQ(effect->name.get(), n.name);
        EXPECT_EQ(effect->volume, n.volume) << n.name;
    }
    EXPECT_EQ(Effects().maxVoices(), SceneSound::kGameMaxVoices);

    ASSERT_NE(sound->music(), nullptr);
    ASSERT_EQ(sound->music()->SongCount(), SceneSound::kSongCount);
    for (int16_t i = 0; i < SceneSound::kSongCount; ++i)
        EXPECT_TRUE(sound->music()->IsValid(i)) << i;

    EXPECT_TRUE(Loaded("Iniciando VEX_Audio: Ok."));
    EXPECT_TRUE(Loaded("Arquivo <hit.wav> carregado com sucesso em index <0>."));
    EXPECT_TRUE(Loaded("Arquivo <shake.wav> carregado com sucesso em index <26>."));
    EXPECT_TRUE(Loaded("Iniciando VEX_Music: Ok."));
    EXPECT_TRUE(Loaded("Arquivo <00.mid> carregado com sucesso em index <0>."));
    EXPECT_TRUE(Loaded("Arquivo <11.mid> carregado com sucesso em index <11>."));
}

TEST_F(SceneSoundTest, EveryEffectIsHeard) {
    for (int effect = 0; effect < kEffectCount; ++effect) {
        const Loudness heard = HearEffect(effect, [&] { sound->PlayEffect(effect); });
        EXPECT_GT(heard.Both(), 0.003) << Effects().EffectOf(int16_t(effect))->name.get();
    }
}

TEST_F(SceneSoundTest, PlopAtItsLevel200IsAbout11DecibelsBelowFull) {
    const int plop = 16;
    const Loudness atLoad = HearEffect(plop, [&] { sound->PlayEffect(plop); });
    sound->SetEffectVolume(plop, 255);
    const Loudness full = HearEffect(plop, [&] { sound->PlayEffect(plop); });
    sound->SetEffectVolume(plop, 200);
    ASSERT_GT(full.Both(), 0.0);
    EXPECT_NEAR(atLoad.Both() / full.Both(), 36.0 / 128, 0.02);
}

TEST_F(SceneSoundTest, PlaySFXAndSetaAudioReachTheInstalledSound) {
    SetaAudio(1);
    const Loudness beforeInstall = HearEffect(kEffectPocket, [] { PlaySFX(kEffectPocket); });
    EXPECT_EQ(beforeInstall.Both(), 0.0) << "nothing is installed yet";

    Game().outputs.sound = sound;
    const Loudness on = HearEffect(kEffectPocket, [] { PlaySFX(kEffectPocket); });
    SetaAudio(0);
    const Loudness off = HearEffect(kEffectPocket, [] { PlaySFX(kEffectPocket); });
    SetaAudio(1);
    Game().outputs.sound = nullptr;
    EXPECT_GT(on.Both(), 0.003);
    EXPECT_EQ(off.Both(), 0.0);
}

TEST_F(SceneSoundTest, SetaMusicaStartsAndStopsTheSongOfTheMoment) {
    Game().outputs.sound = sound;
    VEX_Music& music = *sound->music();
    Game().mode = kModeIdle;
    SetaMusica(1);
    EXPECT_TRUE(music.IsPlaying(kIntroTrack));
    EXPECT_EQ(music.volume(), kGameMusicVolume);
    EXPECT_GT(HearNext(2.0).Both(), 0.003) << "the intro's song is heard";

    SetaMusica(0);
    EXPECT_FALSE(music.IsPlaying(kIntroTrack));
    EXPECT_FALSE(music.active());
    EXPECT_EQ(HearNext(1.0).Both(), 0.0);

    Game().mode = kModeMatch;
    SetaMusica(1);
    int playing = -1;
    for (int16_t track = kFirstGameTrack; track < kFirstGameTrack + kGameTrackCount; ++track)
        if (music.IsPlaying(track)) playing = track;
    EXPECT_NE(playing, -1) << "a game song plays during a match";
    SetaMusica(0);
    Game().mode = kModeIdle;
    Game().outputs.sound = nullptr;
}

}  // namespace
