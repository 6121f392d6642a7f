// The library boundary: the export table and the exported calls' contracts.
#include "vexlib/exports.h"

#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "tests/game/game_fixture.h"

namespace {

std::set<std::string> DefinedDynamicSymbols(const std::string& library) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only " + library;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return names;
    std::array<char, 512> line;
    while (fgets(line.data(), line.size(), pipe.get())) {
        std::string text(line.data());
        const size_t last = text.find_last_of(' ');
        names.insert(text.substr(last + 1, text.find_last_not_of("\r\n") - last));
    }
    return names;
}

}  // namespace

// The names the one list of exports gives, as the dynamic symbol table
// shows them.
const std::set<std::string>& ListedExports() {
    static const std::set<std::string> names = {
#define VEX_EXPORT(result, name, parameters) #name,
#define VEX_EXPORT_CPP(result, name, parameters, decorated) #decorated,
#include "vexlib/export_list.h"
#undef VEX_EXPORT
#undef VEX_EXPORT_CPP
    };
    return names;
}

TEST(ExportTableTest, LibraryExportsExactlyTheGameInterface) {
    // The game's 39, the one that changes the panel's size, the one that
    // picks the discs' look and the one that starts a practice run from a
    // seed.
    ASSERT_EQ(ListedExports().size(), 42u);
    for (const char* name : {"IniciarD3D", "AtualizaDiscos", "_Z15PoeDiscoOfflineiffc",
                             "SetaCallBackVitoria", "ResizeScene", "SetDiscLook",
                             "StartPracticeRun"})
        EXPECT_TRUE(ListedExports().count(name)) << name;
    EXPECT_EQ(DefinedDynamicSymbols(VEXLIB_PATH), ListedExports());
}

TEST(ExportTableTest, DecoratedPracticeExportIsCallableThroughItsMangledName) {
    void* library = dlopen(VEXLIB_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Poe = void (*)(int, float, float, char);
    using GetX = float (*)(int);
    auto poe = reinterpret_cast<Poe>(dlsym(library, "_Z15PoeDiscoOfflineiffc"));
    auto getX = reinterpret_cast<GetX>(dlsym(library, "GetDiscoX"));
    ASSERT_NE(poe, nullptr);
    ASSERT_NE(getX, nullptr);
    poe(5, 7.25f, -3.0f, kColorRed);
    EXPECT_EQ(getX(5), 7.25f);
    dlclose(library);
}

using ExportsTest = GameTest;

TEST_F(ExportsTest, OptionSettersStoreTheirValues) {
    SetaQualidade(0);
    SetaMirror(0);
    SetaMouseS(250.0f);
    EXPECT_EQ(Game().options.quality, 0);
    EXPECT_EQ(Game().options.mirror, 0);
    // The highlights are the scene's to switch: without one nothing changes.
    SetaLuz(0);
    EXPECT_EQ(Game().options.specular, 1);
    SetDiscLook(1);
    EXPECT_EQ(Game().options.discLook, DiscLook::kColourSafe);
    SetDiscLook(7);
    EXPECT_EQ(Game().options.discLook, DiscLook::kClassic);
    EXPECT_EQ(Game().mouseSensitivity, 250.0f);
    SetaAudio(0);
    EXPECT_EQ(Game().audioOn, 0);
    EXPECT_FALSE(sound.effectsEnabled);
    PlaySFX(12);
    EXPECT_TRUE(sound.played.empty());  // PlaySFX is silent with audio off
    SetaAudio(1);
    PlaySFX(12);
    EXPECT_EQ(sound.Count(12), 1);
    EXPECT_EQ(CanDraw(), 1);
    Game().rendering = 1;
    EXPECT_EQ(CanDraw(), 0);
}

TEST_F(ExportsTest, MusicSwitchRestartsTheRightTrack) {
    sound.musicVolume = 0;
    SetaMusica(1);
    EXPECT_EQ(sound.tracks.back(), kIntroTrack);
    EXPECT_EQ(sound.repeatCounts.back(), 1) << "the intro's song plays twice";
    EXPECT_EQ(sound.musicVolume, 238);
    IniciaPartida(1, 5);
    SetaMusica(1);
    EXPECT_GE(sound.tracks.back(), 1);
    EXPECT_EQ(sound.repeatCounts.back(), kRepeatForever);
    const size_t played = sound.tracks.size();
    const int stops = sound.musicStops;
    SetaMusica(0);
    EXPECT_EQ(sound.tracks.size(), played);
    EXPECT_EQ(sound.musicStops, stops + 1) << "switching off stops the song";
    EXPECT_FALSE(sound.musicActive);
    EXPECT_EQ(Game().musicOn, 0);
    // A match start with the music off plays nothing.
    IniciaPartida(1, 6);
    EXPECT_EQ(sound.tracks.size(), played);
}

TEST_F(ExportsTest, RefusalsWhileDiscsMoveChangeNothing) {
    IniciaPartida(1, 11);
    ASSERT_EQ(DispararTiro(0, 21.5f, 10.0f, 0.0f), 1);
    AtualizaDiscos();
    ASSERT_EQ(GetIsMoving(), 1);
    const float x = GetDiscoX(0);
    EXPECT_EQ(DispararTiro(5.0f, 21.5f, 10.0f, 0.0f), 0);
    EXPECT_EQ(MudaJogador(1), 0);
    EXPECT_EQ(GetDiscoX(0), x);
    EXPECT_EQ(GetPlayer_Atual(), 0);
}

TEST_F(ExportsTest, NullCallbacksAreSkipped) {
    SetaCallBackShoot(nullptr);
    SetaCallBackMudaJogador(nullptr);
    SetaCallBackShooting(nullptr);
    SetaCallBackPoint(nullptr);
    SetaCallBackVitoria(nullptr);
    IniciaPartida(1, 3);
    SetPlayer_Pts(0, 10);
    for (int i = 0; i < 3700; ++i) AtualizaDiscos();  // victory, clock, aim reports
    EXPECT_EQ(Game().winner, kSideGreen);
    EXPECT_EQ(GetPlayer_Pts(0), 10);
}

TEST_F(ExportsTest, ShowIntroResetsARunningGameOnly) {
    ShowIntro();
    EXPECT_TRUE(sound.tracks.empty());
    IniciaPartida(2, 8);
    ShowIntro();
    EXPECT_EQ(Game().mode, kModeIdle);
    EXPECT_EQ(GetPlayer_Host(), kSeatSpectator);
    EXPECT_EQ(sound.tracks.back(), kIntroTrack);
    EXPECT_EQ(sound.repeatCounts.back(), kIntroRepeats);
}

TEST_F(ExportsTest, RenderCenaRunsTheCueAndClearsTheDrawingFlag) {
    IniciaPartida(1, 4);
    Game().aim.aimPhase = kAimReleased;
    Game().aim.aimForce = 0.0f;  // the cue has arrived
    RenderCena();
    EXPECT_EQ(Game().aim.aimPhase, kAimPlacing);
    EXPECT_EQ(CanDraw(), 1);
    EXPECT_GE(GetFT(), 0.0f);
}
