// What the program starts with: the switches of its command line, the
// language of the user's locale and a joke name that a host will seat.
#include <gtest/gtest.h>

#include <QSet>

#include "frontend/chat/chat_rules.h"
#include "frontend/chat/default_nicknames.h"
#include "frontend/chat/login_fields.h"
#include "frontend/session/frontend_core.h"
#include "frontend/texts/user_language.h"
#include "frontend/texts/window_command_line.h"

namespace {

TEST(UiLanguage, PortugueseAndSpanishCountriesElseEnglish) {
    EXPECT_EQ(UiLanguageFor(QLocale("pt_BR")), kLanguagePortuguese);
    EXPECT_EQ(UiLanguageFor(QLocale("pt_PT")), kLanguagePortuguese);
    EXPECT_EQ(UiLanguageFor(QLocale("pt_AO")), kLanguageEnglish);
    EXPECT_EQ(UiLanguageFor(QLocale("es_ES")), kLanguageSpanish);
    EXPECT_EQ(UiLanguageFor(QLocale("es_AR")), kLanguageSpanish);
    EXPECT_EQ(UiLanguageFor(QLocale("es_PR")), kLanguageSpanish);
    EXPECT_EQ(UiLanguageFor(QLocale("es_US")), kLanguageEnglish);
    EXPECT_EQ(UiLanguageFor(QLocale("en_GB")), kLanguageEnglish);
    EXPECT_EQ(UiLanguageFor(QLocale("de_DE")), kLanguageEnglish);
    EXPECT_EQ(UiLanguageFor(QLocale::c()), kLanguageEnglish);
}

TEST(DefaultNicknames, OneHundredTwentyDistinctSeatableNamesAPlayerCouldTypeBack) {
    QSet<QString> names;
    for (int i = 0; i < kDefaultNicknameCount; ++i) {
        const QString name = DefaultNickname(i);
        // Typed into the emptied nickname field, through the field's own rule.
        EXPECT_EQ(AcceptNicknameEdit(QString(), name), name) << name.toStdString();
        EXPECT_LE(name.size(), kMaxNicknameChars) << name.toStdString();
        EXPECT_TRUE(IsNicknameUsable(name)) << name.toStdString();
        names.insert(name);
    }
    EXPECT_EQ(names.size(), kDefaultNicknameCount);
    for (const char* quoted : {"a bad guy", "a good guy"})
        EXPECT_TRUE(names.contains(quoted)) << quoted;
    EXPECT_TRUE(names.contains(RandomDefaultNickname()));
}

TEST(CommandLine, DebugOnlyFirstHighFirstOrSecond) {
    const auto both = ParseCommandLine({"-DEBUG", "-high"});
    EXPECT_TRUE(both.debug);
    EXPECT_TRUE(both.highTimer);
    const auto late = ParseCommandLine({"-h", "-d"});
    EXPECT_FALSE(late.debug);  // the debug switch counts only in first place
    EXPECT_TRUE(late.highTimer);
    EXPECT_FALSE(ParseCommandLine({"x", "y", "-high"}).highTimer);
    EXPECT_FALSE(ParseCommandLine({}).debug);
}

TEST(CommandLine, ReplayFileIsTakenWhereverItStands) {
    EXPECT_EQ(ParseCommandLine({"-d", "--replay", "a b.rdreplay"}).replayFile, "a b.rdreplay");
    EXPECT_TRUE(ParseCommandLine({"--replay", "x", "-d"}).replayFile == "x");
    EXPECT_FALSE(ParseCommandLine({"--replay", "x", "-d"}).debug);
    EXPECT_TRUE(ParseCommandLine({"--replay"}).replayFile.isEmpty());
}

TEST(CommandLine, TheWholeLineIsCheckedBeforeAnyDisplay) {
    using V = CommandLineVerdict;
    const auto kind = [](const QStringList& args) { return CheckWindowCommandLine(args).kind; };
    // What the game has always taken, Qt's options among them.
    for (const QStringList& taken :
         {QStringList{}, {"-d"}, {"-DEBUG", "-High"}, {"--replay", "x.rdreplay"}, {"-h", "-d"},
          {"-debug", "-high", "-d"}, {"--replay", "-d"}, {"-display", ":1", "-d"},
          {"--display", ":1"}, {"-style=fusion", "-reverse"}, {"-platform", "xcb", "-geometry", "1x1"}})
        EXPECT_EQ(kind(taken), V::kRun) << taken.join(u' ').toStdString();
    EXPECT_EQ(kind({"-d", "--help"}), V::kHelp);
    EXPECT_EQ(kind({"--version", "--bogus"}), V::kVersion);
    // A replay file named --help is a file, not a request.
    EXPECT_EQ(kind({"--replay", "--help"}), V::kRun);

    for (const QStringList& refused :
         {QStringList{"--bogus"}, {"-x"}, {"-d", "-verbose"}, {"stray"}, {"-"}, {"--replay"},
          {"-display"}, {"-d", "-style"}, {"-help"}})
        EXPECT_EQ(kind(refused), V::kRefused) << refused.join(u' ').toStdString();
    const QString why = CheckWindowCommandLine({"-d", "--colour"}).why;
    EXPECT_TRUE(why.contains("--colour")) << why.toStdString();
    EXPECT_FALSE(why.contains(u'\n'));
}

}  // namespace
