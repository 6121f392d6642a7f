// The menus' options in the "Config" section: the keys' exact bytes, what a
// missing or odd value keeps, and what the library is told.
#include "frontend/settings/game_options.h"

#include <gtest/gtest.h>

#include "tests/frontend/core/recording_library.h"

namespace {

// The section as a first start writes it: the newer keys are left out at their defaults.
const QByteArray kFirstStartConfig =
    "[Config]\r\nLuz especular=1\r\nReflex\xE3o=1\r\nQualidade=1\r\nTaxa de "
    "atualiza\xE7\xE3o=0\r\nEfeitos sonoros=1\r\nMusica=1\r\nEfeitos do chat=1\r\n"
    "Modo Ortogral=1\r\n";

GameOptions AllOff() {
    GameOptions options;
    options.specularLight = options.reflection = options.highQuality = false;
    options.soundEffects = options.music = options.chatEffects = options.orthogonalMode = false;
    options.refreshRate = RefreshRate::Slow15;
    return options;
}

TEST(GameOptions, AreWrittenUnderTheirWindows1252KeysInMenuOrder) {
    IniDocument document;
    ASSERT_TRUE(WriteGameOptions(document, GameOptions{}));
    EXPECT_EQ(document.Serialize(),
              "[Config]\r\nLuz especular=1\r\nReflex\xE3o=1\r\nQualidade=1\r\nTaxa de "
              "atualiza\xE7\xE3o=0\r\n"
              "Efeitos sonoros=1\r\nMusica=1\r\nEfeitos do chat=1\r\nModo Ortogral=1\r\n");
    ASSERT_TRUE(WriteGameOptions(document, AllOff()));
    EXPECT_EQ(ReadGameOptions(document, GameOptions{}), AllOff());
}

TEST(GameOptions, FullScreenComesBackAndOnlyItIsWrittenDown) {
    GameOptions full;
    full.fullScreen = true;
    IniDocument document;
    ASSERT_TRUE(WriteGameOptions(document, full));
    EXPECT_EQ(document.Value("Config", "Tela cheia"), QByteArray("1"));
    EXPECT_TRUE(ReadGameOptions(document, GameOptions{}).fullScreen);
    ASSERT_TRUE(WriteGameOptions(document, GameOptions{}));
    EXPECT_FALSE(document.Value("Config", "Tela cheia")) << "back in a window, the key goes";
    const IniDocument older = IniDocument::Parse(
        "[Config]\r\nLuz especular=1\r\nReflex\xE3o=0\r\nQualidade=1\r\nMusica=1\r\n");
    const GameOptions read = ReadGameOptions(older, GameOptions{});
    EXPECT_FALSE(read.fullScreen);
    EXPECT_FALSE(read.reflection);
}

TEST(GameOptions, DiscColoursComeBackAndTheClassicLookLeavesTheFileAsItWas) {
    const QByteArray current = kFirstStartConfig;
    IniDocument document = IniDocument::Parse(current);
    GameOptions options = ReadGameOptions(document, GameOptions{});
    EXPECT_EQ(options.discColours, DiscColours::Classic);
    ASSERT_TRUE(WriteGameOptions(document, options));
    EXPECT_EQ(document.Serialize(), current);

    options.discColours = DiscColours::ColourSafe;
    ASSERT_TRUE(WriteGameOptions(document, options));
    EXPECT_EQ(document.Value("Config", "Cores dos discos"), QByteArray("1"));
    EXPECT_EQ(ReadGameOptions(document, GameOptions{}), options);

    // Back to classic: the key goes, and the file is as it was.
    options.discColours = DiscColours::Classic;
    ASSERT_TRUE(WriteGameOptions(document, options));
    EXPECT_EQ(document.Serialize(), current);
}

TEST(GameOptions, PortMappingIsOnForAFileWithoutItsKeyAndOnlyOffIsWrittenDown) {
    const QByteArray current = kFirstStartConfig;
    IniDocument document = IniDocument::Parse(current);
    GameOptions off;
    off.portMapping = false;
    GameOptions options = ReadGameOptions(document, off);
    EXPECT_FALSE(options.portMapping) << "a missing key keeps what the menu shows";
    options = ReadGameOptions(document, GameOptions{});
    EXPECT_TRUE(options.portMapping);
    ASSERT_TRUE(WriteGameOptions(document, options));
    EXPECT_EQ(document.Serialize(), current);

    options.portMapping = false;
    ASSERT_TRUE(WriteGameOptions(document, options));
    EXPECT_EQ(document.Value("Config", "Abrir porta no roteador"), QByteArray("0"));
    EXPECT_FALSE(ReadGameOptions(document, GameOptions{}).portMapping);

    // Back on: the key goes, and the file is as it was.
    options.portMapping = true;
    ASSERT_TRUE(WriteGameOptions(document, options));
    EXPECT_EQ(document.Serialize(), current);
    // Any number but zero is on, as for every other option.
    const IniDocument seven = IniDocument::Parse("[Config]\r\nAbrir porta no roteador=7\r\n");
    EXPECT_TRUE(ReadGameOptions(seven, off).portMapping);
}

TEST(GameOptions, ADiscLookOtherThanZeroOrOneKeepsWhatTheMenuShows) {
    GameOptions safe;
    safe.discColours = DiscColours::ColourSafe;
    for (const char* value : {"2", "-1", "blue"}) {
        const IniDocument document =
            IniDocument::Parse(QByteArray("[Config]\r\nCores dos discos=") + value + "\r\n");
        EXPECT_EQ(ReadGameOptions(document, safe).discColours, DiscColours::ColourSafe) << value;
        EXPECT_EQ(ReadGameOptions(document, GameOptions{}).discColours, DiscColours::Classic)
            << value;
    }
    const IniDocument classic = IniDocument::Parse("[Config]\r\nCores dos discos=0\r\n");
    EXPECT_EQ(ReadGameOptions(classic, safe).discColours, DiscColours::Classic);
}

TEST(GameOptions, AMissingOrUnreadableKeyKeepsWhatTheMenuShows) {
    EXPECT_EQ(ReadGameOptions(IniDocument(), AllOff()), AllOff());
    const IniDocument odd = IniDocument::Parse(
        "[config]\r\nluz especular=7\r\nQualidade=yes\r\nMusica=\r\nEfeitos sonoros=-1\r\n"
        "MODO ORTOGRAL=0\r\n");
    GameOptions expected = AllOff();
    expected.specularLight = true;  // any non-zero number is true
    expected.soundEffects = true;
    EXPECT_EQ(ReadGameOptions(odd, AllOff()), expected);
}

TEST(GameOptions, OnlyRefreshRatesZeroOneAndTwoChangeTheRate) {
    const auto rateAfter = [](const char* stored) {
        const IniDocument document =
            IniDocument::Parse(QByteArray("[Config]\r\nTaxa de atualiza\xE7\xE3o=") + stored);
        GameOptions current;
        current.refreshRate = RefreshRate::Medium30;
        return ReadGameOptions(document, current).refreshRate;
    };
    EXPECT_EQ(rateAfter("0"), RefreshRate::Normal60);
    EXPECT_EQ(rateAfter("1"), RefreshRate::Medium30);
    EXPECT_EQ(rateAfter("2"), RefreshRate::Slow15);
    for (const char* other : {"7", "-1", "3", "x"})
        EXPECT_EQ(rateAfter(other), RefreshRate::Medium30);
    EXPECT_EQ(RenderDividerFor(RefreshRate::Normal60), 1);
    EXPECT_EQ(RenderDividerFor(RefreshRate::Medium30), 2);
    EXPECT_EQ(RenderDividerFor(RefreshRate::Slow15), 4);
}

TEST(GameOptions, TheLibraryIsToldWhatItKeepsAndOnChangeOnlyWhatChanged) {
    RecordingLibrary library;
    GameOptions options = AllOff();
    options.music = true;
    ApplyGameOptions(options, library);
    EXPECT_EQ(library.optionCalls,
              (std::vector<std::string>{"SetSpecularLight(0)", "SetReflection(0)",
                                        "SetHighQuality(0)", "SetSoundEffects(0)", "SetMusic(1)"}));
    library.optionCalls.clear();
    GameOptions changed = options;
    changed.reflection = true;
    changed.chatEffects = true;  // a menu check only
    ApplyGameOptionChanges(options, changed, library);
    EXPECT_EQ(library.optionCalls, std::vector<std::string>{"SetReflection(1)"});
}

TEST(GameOptions, TheLibraryHearsOfTheDiscLookOnlyWhenItIsNotTheClassicOneItStartsWith) {
    RecordingLibrary library;
    GameOptions safe;
    safe.discColours = DiscColours::ColourSafe;
    ApplyGameOptions(safe, library);
    EXPECT_EQ(library.optionCalls.back(), "SetDiscColours(1)");
    library.optionCalls.clear();
    ApplyGameOptionChanges(safe, GameOptions{}, library);
    EXPECT_EQ(library.optionCalls, std::vector<std::string>{"SetDiscColours(0)"});
}

}  // namespace
