// Colouring of chat lines, the phrase table, commands and nickname characters.
#include "frontend/chat/chat_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(ChatLineFormat, PlayerLineHasBlueBoldNameThenBlackText) {
    const ChatLine line = FormatChatLine("Bob: hello there");
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0].text, "Bob:");
    EXPECT_EQ(line[0].rgb, 0x0000FFu);
    EXPECT_TRUE(line[0].bold);
    EXPECT_EQ(line[1].text, " hello there");
    EXPECT_EQ(line[1].rgb, 0x000000u);
    EXPECT_FALSE(line[1].bold);
}

TEST(ChatLineFormat, SystemLinesAndTrailingColonAreRed) {
    for (const char* text : {"Bob has entered in the chat!", "Packet Error", "odd:"}) {
        const ChatLine line = FormatChatLine(text);
        ASSERT_EQ(line.size(), 1u) << text;
        EXPECT_EQ(line[0].text, text);
        EXPECT_EQ(line[0].rgb, 0xFF0000u);
        EXPECT_TRUE(line[0].bold);
    }
}

TEST(ChatLineFormat, MarkupFromPeersStaysLiteralText) {
    const ChatLine line = FormatChatLine("Eve: <b>big</b> <img src=x>");
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[1].text, " <b>big</b> <img src=x>");
}

TEST(ChatPhrases, WholeTextMatchesIgnoringCase) {
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: LOL")), 11);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: hehe")), 12);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: Muito Fácil")), 19);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: let's rock")), 25);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: face ass")), 23);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: die")), 20);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: analfabeto")), 17);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: hurry up")), 21);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: hail to the king")), 24);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: shake it baby")), 26);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: cool")), 22);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: ops")), 13);
}

TEST(ChatPhrases, AnythingAroundThePhraseOrNoColonPlaysNothing) {
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: hehe!")), kNoEffect);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana: hehe hehe")), kNoEffect);
    EXPECT_EQ(PhraseEffect(SpokenText("Ana:lol")), kNoEffect);  // the blank is part of ": "
    EXPECT_EQ(PhraseEffect(SpokenText("lol")), kNoEffect);
    EXPECT_TRUE(SpokenText("Bob left the chat!").isEmpty());
}

TEST(ChatCommands, RecognisedIgnoringCaseAndOnlyWhole) {
    EXPECT_EQ(ParseChatCommand("PRACA").kind, ChatCommandKind::Shout);
    EXPECT_EQ(ParseChatCommand(QString::fromUtf8("Praça")).kind, ChatCommandKind::Shout);
    EXPECT_EQ(ParseChatCommand("praca now").kind, ChatCommandKind::None);
    EXPECT_EQ(ParseChatCommand("VSync").kind, ChatCommandKind::VerifySync);
    EXPECT_EQ(ParseChatCommand("version").kind, ChatCommandKind::Version);
    EXPECT_EQ(ParseChatCommand("dump").kind, ChatCommandKind::Dump);
    for (const char* c : {"cls", "CLRSCR", "clear"})
        EXPECT_EQ(ParseChatCommand(c).kind, ChatCommandKind::Clear);
    EXPECT_EQ(ParseChatCommand("kick").kind, ChatCommandKind::None);
    const ChatCommand kick = ParseChatCommand("KICK   Bob  ");
    EXPECT_EQ(kick.kind, ChatCommandKind::Kick);
    EXPECT_EQ(kick.argument, "Bob");
}

TEST(Nickname, SeparatorsAndCharacter255AreRefused) {
    EXPECT_FALSE(IsNicknameCharAllowed(u':'));
    EXPECT_FALSE(IsNicknameCharAllowed(u','));
    EXPECT_FALSE(IsNicknameCharAllowed(QChar(0xFF)));
    EXPECT_TRUE(IsNicknameCharAllowed(QChar(0xE9)));
    EXPECT_EQ(FilterNickname(QString::fromUtf8("a:b,cÿdefghijkl")), "abcdefghij");
    // A default nickname may be longer than typing allows and still take a seat.
    EXPECT_TRUE(IsNicknameUsable("what a mess!"));
    EXPECT_FALSE(IsNicknameUsable(""));
    EXPECT_FALSE(IsNicknameUsable("a:b"));
}

}  // namespace
