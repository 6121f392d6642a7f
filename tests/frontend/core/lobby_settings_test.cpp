// The lobby's keys in the "Config" section: their exact bytes, that a file
// from before them comes back unchanged, and what a hand-damaged value keeps.
#include "frontend/settings/lobby_settings.h"

#include <gtest/gtest.h>

#include "frontend/settings/game_options.h"
#include "tests/frontend/core/captured_warnings.h"

namespace {

// A file as the program wrote it before the lobby existed.
const QByteArray kOlderFile =
    "[main]\r\nNick=Ana\r\n[Config]\r\nLuz especular=1\r\nReflex\xE3o=1\r\nQualidade=1\r\n"
    "Taxa de atualiza\xE7\xE3o=0\r\nEfeitos sonoros=1\r\nMusica=1\r\nEfeitos do chat=1\r\n"
    "Modo Ortogral=1\r\n";

TEST(LobbySettings, AtTheirDefaultsLeaveAnOlderFileByteForByte) {
    IniDocument document = IniDocument::Parse(kOlderFile);
    const LobbySettings read = ReadLobbySettings(document, LobbySettings{});
    EXPECT_EQ(read, LobbySettings{});
    ASSERT_TRUE(WriteGameOptions(document, ReadGameOptions(document, GameOptions{})));
    ASSERT_TRUE(WriteLobbySettings(document, read));
    EXPECT_EQ(document.Serialize(), kOlderFile);
}

TEST(LobbySettings, AreWrittenUnderTheirWindows1252KeysAndReadBack) {
    IniDocument document;
    const LobbySettings chosen{QStringLiteral("lobby.example.org:5222"), true};
    ASSERT_TRUE(WriteLobbySettings(document, chosen));
    EXPECT_EQ(document.Serialize(),
              "[Config]\r\nServidor do sagu\xE3o=lobby.example.org:5222\r\nS\xF3 amigos=1\r\n");
    EXPECT_EQ(ReadLobbySettings(document, LobbySettings{}), chosen);
}

TEST(LobbySettings, GoingBackToTheDefaultsTakesTheKeysOut) {
    IniDocument document = IniDocument::Parse(kOlderFile);
    ASSERT_TRUE(WriteLobbySettings(document, {QStringLiteral("lobby.example.org"), true}));
    ASSERT_NE(document.Serialize(), kOlderFile);
    ASSERT_TRUE(WriteLobbySettings(document, LobbySettings{}));
    EXPECT_EQ(document.Serialize(), kOlderFile);
}

TEST(LobbySettings, ADamagedValueKeepsWhatWasThereWithAWarning) {
    const LobbySettings current{QStringLiteral("kept.example.org"), true};
    CapturedWarnings warnings;
    const IniDocument spaces = IniDocument::Parse(
        "[Config]\r\nServidor do sagu\xE3o=lobby example org\r\nS\xF3 amigos=many\r\n");
    EXPECT_EQ(ReadLobbySettings(spaces, current), current);
    EXPECT_EQ(warnings.Lines().size(), 2);

    const IniDocument tooLong = IniDocument::Parse(
        "[Config]\r\nServidor do sagu\xE3o=" + QByteArray(kMaxLobbyServerChars + 1, 'a') + "\r\n");
    EXPECT_EQ(ReadLobbySettings(tooLong, current).server, current.server);

    const IniDocument highBytes =
        IniDocument::Parse("[Config]\r\nServidor do sagu\xE3o=sagu\xE3o.org\r\n");
    EXPECT_EQ(ReadLobbySettings(highBytes, current).server, current.server);
}

TEST(LobbySettings, ZeroTurnsFriendsOnlyOffAndSpacesAroundTheAddressGo) {
    const IniDocument document = IniDocument::Parse(
        "[Config]\r\nServidor do sagu\xE3o=  lobby.example.org  \r\nS\xF3 amigos=0\r\n");
    const LobbySettings read = ReadLobbySettings(document, {QString(), true});
    EXPECT_EQ(read.server, QStringLiteral("lobby.example.org"));
    EXPECT_FALSE(read.friendsOnly);
}

TEST(LobbySettings, AnAddressThatCannotBeWrittenAsTypedIsRefusedNotMangled) {
    IniDocument document = IniDocument::Parse(kOlderFile);
    CapturedWarnings warnings;
    EXPECT_FALSE(WriteLobbySettings(document, {QStringLiteral("saguão.org"), false}));
    EXPECT_EQ(document.Serialize(), kOlderFile);
    EXPECT_EQ(warnings.Lines().size(), 1);
}

}  // namespace
