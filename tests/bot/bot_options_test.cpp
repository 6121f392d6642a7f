// The command line: every option read, the defaults, and what is refused.
#include "bot/bot_options.h"

#include <gtest/gtest.h>

namespace {

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

TEST(BotOptions, HelpIsAnsweredInsteadOfPlaying) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"--host", "h", "--help"},
                                    QStringList{"--help", "--colour", "red"}}) {
        const ParsedOptions p = ParseBotOptions(args);
        EXPECT_TRUE(p.helpAsked) << args.join(u' ').toStdString();
        EXPECT_FALSE(p.options.has_value());
    }
    EXPECT_TRUE(BotHelp().contains(QStringLiteral("--commands")));
    EXPECT_FALSE(ParseBotOptions({"--host", "h"}).helpAsked);
    EXPECT_TRUE(BotHelp().contains(QStringLiteral("--version")));
    const ParsedOptions version = ParseBotOptions({"--host", "h", "--version"});
    EXPECT_TRUE(version.versionAsked);
    EXPECT_FALSE(version.options.has_value());
    EXPECT_FALSE(ParseBotOptions({"--host", "h"}).versionAsked);
}

TEST(BotOptions, RefusesWhatCouldNotBePlayed) {
    const QStringList refused[] = {
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
    };
    for (const QStringList& args : refused) {
        const ParsedOptions p = ParseBotOptions(args);
        EXPECT_FALSE(p.options.has_value()) << args.join(u' ').toStdString();
        EXPECT_FALSE(p.error.isEmpty());
    }
}

}  // namespace
