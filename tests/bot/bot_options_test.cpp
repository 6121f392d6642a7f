// The command line: every option read, the defaults, and what is refused.
#include "bot/bot_options.h"

#include <gtest/gtest.h>

namespace {

// Each command line is refused, with a reason to show.
void ExpectRefused(std::initializer_list<QStringList> commandLines) {
    for (const QStringList& args : commandLines) {
        const ParsedOptions p = ParseBotOptions(args);
        EXPECT_FALSE(p.options.has_value()) << args.join(u' ').toStdString();
        EXPECT_FALSE(p.error.isEmpty()) << args.join(u' ').toStdString();
    }
}

TEST(BotOptions, ReadsEveryOptionAndFillsTheRest) {
    const ParsedOptions all = ParseBotOptions({"--host", "10.0.0.7", "--port", "2600", "--password",
                                               "pw", "--name", "Robo", "--level", "Master",
                                               "--seed", "18446744073709551615", "--tick-ms", "3",
                                               "--commands"});
    ASSERT_TRUE(all.options.has_value()) << all.error.toStdString();
    EXPECT_EQ(all.options->host, "10.0.0.7");
    EXPECT_EQ(all.options->port, "2600");
    EXPECT_EQ(all.options->password, "pw");
    EXPECT_EQ(all.options->name, "Robo");
    EXPECT_EQ(all.options->level, ai::Level::Master);
    EXPECT_EQ(all.options->seed, 18446744073709551615ull);
    EXPECT_EQ(all.options->tickMs, 3);
    EXPECT_TRUE(all.options->commands);

    const ParsedOptions fewest = ParseBotOptions({"--host", "127.0.0.1"});
    ASSERT_TRUE(fewest.options.has_value());
    EXPECT_EQ(fewest.options->port, "2500");
    EXPECT_EQ(fewest.options->password, "");
    EXPECT_EQ(fewest.options->level, ai::Level::Club);
    EXPECT_FALSE(fewest.options->seed.has_value());
    EXPECT_EQ(fewest.options->tickMs, 16);
    EXPECT_FALSE(fewest.options->commands);  // its input is not read unless asked
}

TEST(BotOptions, ALobbyHostReadsWhereTheLobbyIsAndWhereToHost) {
    const ParsedOptions all = ParseBotOptions(
        {"--lobby", "lobby.example.org", "--lobby-address", "127.0.0.1:5299", "--lobby-ca",
         "/tmp/lobby.crt", "--public-address", "198.51.100.7", "--port", "2600", "--name", "Robo"});
    ASSERT_TRUE(all.options.has_value()) << all.error.toStdString();
    EXPECT_EQ(all.options->lobby, "lobby.example.org");
    EXPECT_EQ(all.options->lobbyAddress, "127.0.0.1");
    EXPECT_EQ(all.options->lobbyPort, 5299);
    EXPECT_EQ(all.options->lobbyCa, "/tmp/lobby.crt");
    EXPECT_EQ(all.options->publicAddress, "198.51.100.7");
    EXPECT_EQ(ListeningPort(*all.options), 2600);
    EXPECT_TRUE(all.options->host.isEmpty());

    // Without --port the system chooses the port to host on, not the
    // joiner's default.
    const ParsedOptions fewest = ParseBotOptions({"--lobby", "lobby.example.org"});
    ASSERT_TRUE(fewest.options.has_value()) << fewest.error.toStdString();
    EXPECT_EQ(ListeningPort(*fewest.options), 0);
    EXPECT_TRUE(fewest.options->lobbyAddress.isEmpty());
    EXPECT_EQ(fewest.options->lobbyPort, 0);

    const ParsedOptions v6 =
        ParseBotOptions({"--lobby", "l.example.org", "--lobby-address", "[::1]:5222"});
    ASSERT_TRUE(v6.options.has_value()) << v6.error.toStdString();
    EXPECT_EQ(v6.options->lobbyAddress, "::1");
    EXPECT_EQ(v6.options->lobbyPort, 5222);
    const ParsedOptions named =
        ParseBotOptions({"--lobby", "l.example.org", "--lobby-address", "xmpp.example.net"});
    ASSERT_TRUE(named.options.has_value()) << named.error.toStdString();
    EXPECT_EQ(named.options->lobbyAddress, "xmpp.example.net");
    EXPECT_EQ(named.options->lobbyPort, 0);
}

TEST(BotOptions, RefusesALobbyItCouldNotReachOrHostIn) {
    ExpectRefused({
        {"--host", "127.0.0.1", "--lobby", "lobby.example.org"},
        {"--host", "127.0.0.1", "--lobby-address", "127.0.0.1:5222"},
        {"--host", "127.0.0.1", "--public-address", "198.51.100.7"},
        {"--lobby", ""},
        {"--lobby", "lobby.example.org:5222"},
        {"--lobby", "l.example.org", "--lobby-address", "127.0.0.1:0"},
        {"--lobby", "l.example.org", "--lobby-address", "127.0.0.1:70000"},
        {"--lobby", "l.example.org", "--lobby-address", ":5222"},
        {"--lobby", "l.example.org", "--lobby-address", "[::1"},
        {"--lobby", "l.example.org", "--lobby-address", "[::1]5222"},
        {"--lobby", "l.example.org", "--port", "65536"},
        {"--lobby", "l.example.org", "--port", "-1"},
        {"--lobby", "l.example.org", "--public-address", ""},
    });
}

TEST(BotOptions, HelpIsAnsweredInsteadOfPlaying) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"--host", "h", "--help"},
                                    QStringList{"--help", "--colour", "red"}}) {
        const ParsedOptions p = ParseBotOptions(args);
        EXPECT_TRUE(p.helpAsked) << args.join(u' ').toStdString();
        EXPECT_FALSE(p.options.has_value());
    }
    EXPECT_TRUE(BotHelp().contains(QStringLiteral("--commands")));
    for (const char* option : {"--lobby ", "--lobby-address", "--lobby-ca", "--public-address"})
        EXPECT_TRUE(BotHelp().contains(QString::fromLatin1(option))) << option;
    EXPECT_FALSE(ParseBotOptions({"--host", "h"}).helpAsked);
    EXPECT_TRUE(BotHelp().contains(QStringLiteral("--version")));
    const ParsedOptions version = ParseBotOptions({"--host", "h", "--version"});
    EXPECT_TRUE(version.versionAsked);
    EXPECT_FALSE(version.options.has_value());
    EXPECT_FALSE(ParseBotOptions({"--host", "h"}).versionAsked);
}

TEST(BotOptions, RefusesWhatCouldNotBePlayed) {
    ExpectRefused({
        {},
        {"--port", "2500"},
        {"--host"},
        {"--host", "127.0.0.1", "--level", "grandmaster"},
        {"--host", "127.0.0.1", "--name", "Robo,Cop"},
        {"--host", "127.0.0.1", "--name", "Ro:bo"},
        {"--host", "127.0.0.1", "--name", "Eleven_Char"},
        {"--host", "127.0.0.1", "--name", ""},
        {"--host", "127.0.0.1", "--seed", "-3"},
        {"--host", "127.0.0.1", "--tick-ms", "0"},
        {"--host", "127.0.0.1", "--colour", "red"},
    });
}

}  // namespace
