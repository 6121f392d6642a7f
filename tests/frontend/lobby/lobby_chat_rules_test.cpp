// The lobby chat's limits, for own lines and for lines from the room.
#include <gtest/gtest.h>

#include "frontend/lobby/lobby_chat_rules.h"

using namespace lobby;

TEST(LobbyChatRules, AnOwnLineIsRefusedWhenEmptyTooLongOrHoldingControlCharacters) {
    EXPECT_EQ(CheckChatLine(QStringLiteral("oi, algu\u00e9m?")), ChatRefusal::None);
    EXPECT_EQ(CheckChatLine(QString(kMaxChatChars, QChar('a'))), ChatRefusal::None);
    EXPECT_EQ(CheckChatLine(QString(kMaxChatChars + 1, QChar('a'))), ChatRefusal::TooLong);
    EXPECT_EQ(CheckChatLine(QStringLiteral("   ")), ChatRefusal::Empty);
    EXPECT_EQ(CheckChatLine(QStringLiteral("a\tb")), ChatRefusal::ControlCharacters);
    // Markup is text like any other: it is sent and shown as typed.
    EXPECT_EQ(CheckChatLine(QStringLiteral("<b>gg</b>")), ChatRefusal::None);
}

TEST(LobbyChatRules, ALineFromTheRoomBreakingTheRulesIsDroppedNotCut) {
    EXPECT_EQ(ReadChatLine("boa partida"), QStringLiteral("boa partida"));
    EXPECT_FALSE(ReadChatLine(std::string(kMaxChatChars + 1, 'a')));
    EXPECT_FALSE(ReadChatLine("a\x07"));
    EXPECT_FALSE(ReadChatLine("\xff"));
    EXPECT_FALSE(ReadChatLine(" "));
}

TEST(LobbyChatRules, OwnLinesAreLimitedToABurstInTheirWindow) {
    ChatRate rate;
    for (int i = 0; i < kChatBurstLines; ++i) EXPECT_TRUE(rate.Allow(1000 + i)) << i;
    EXPECT_FALSE(rate.Allow(1000 + kChatBurstLines));
    EXPECT_FALSE(rate.Allow(1000 + kChatBurstWindowMs - 1));
    // The first line has left the window: one more may go, not two.
    EXPECT_TRUE(rate.Allow(1000 + kChatBurstWindowMs));
    EXPECT_FALSE(rate.Allow(1000 + kChatBurstWindowMs));
}
