// The nicknames a lobby host tries when its own is taken.
#include <gtest/gtest.h>

#include <QSet>

#include "bot/lobby_host.h"

namespace {

TEST(NicknameAttempt, TheNameFirstThenNumberedNamesThatStillFitTheNameRules) {
    EXPECT_EQ(NicknameAttempt("Robo", 1), "Robo");
    EXPECT_EQ(NicknameAttempt("Robo", 2), "Robo2");
    EXPECT_EQ(NicknameAttempt("Robo", 17), "Robo17");
    EXPECT_EQ(NicknameAttempt("Computer", 3), "Computer3");
    EXPECT_EQ(NicknameAttempt("Computador", 3), "Computado3");
    EXPECT_EQ(NicknameAttempt("Computador", 12), "Computad12");
    QSet<QString> seen;
    for (int attempt = 1; attempt <= LobbyHost::kMostNicknames; ++attempt) {
        const QString name = NicknameAttempt("Computador", attempt);
        EXPECT_LE(name.size(), 10) << attempt;
        EXPECT_FALSE(seen.contains(name)) << name.toStdString();
        seen.insert(name);
    }
}

}  // namespace
