// Who plays the next match.
#include "frontend/net/player_slots.h"

#include <gtest/gtest.h>

namespace {

PlayerSlots ThreePlayers() {
    PlayerSlots s;
    s[1] = {"A", kHostConnection, 0, 0};
    s[2] = {"B", 0, 0, 0};
    s[3] = {"C", 1, 0, 0};
    return s;
}

TEST(Pairing, WinnerMeetsTheLongestWaitingThenTheLoserWaitsItsTurn) {
    PlayerSlots s = ThreePlayers();
    s.CountMatchStart(1, 2);                    // A - B
    EXPECT_EQ(s.ChooseChallenger(1, 1, 2), 3);  // A won: C waited one match
    s.CountMatchStart(1, 3);                    // A - C
    EXPECT_EQ(s[2].matchesWaited, 1);
    EXPECT_EQ(s.ChooseChallenger(3, 1, 3), 2);  // C won: B waited longest
}

TEST(Pairing, NobodyWaitingMeansTheLoserPlaysAgain) {
    PlayerSlots s;
    s[1] = {"A", kHostConnection, 0, 0};
    s[2] = {"B", 0, 0, 0};
    s.CountMatchStart(1, 2);
    EXPECT_EQ(s.ChooseChallenger(2, 1, 2), 1);
    EXPECT_EQ(s.ChooseChallenger(1, 1, 2), 2);
}

TEST(Pairing, ALoserWhoLeftIsReplacedByAPlayerStillHere) {
    PlayerSlots s = ThreePlayers();
    s.CountMatchStart(1, 2);
    s[3].matchesWaited = 0;  // C joined after the match began
    s[2] = PlayerSlot{};     // B left
    EXPECT_EQ(s.ChooseChallenger(1, 1, 2), 3);
    s[3] = PlayerSlot{};
    EXPECT_EQ(s.ChooseChallenger(1, 1, 2), 0);
}

TEST(Slots, NamesAndConnections) {
    PlayerSlots s = ThreePlayers();
    EXPECT_EQ(s.FindExact("b"), 0);
    EXPECT_EQ(s.FindIgnoringCase("b"), 2);
    EXPECT_EQ(s.FindIgnoringCase(""), 0);
    EXPECT_EQ(s.FindConnection(1), 3);
    EXPECT_EQ(s.FirstFree(), 4);
    EXPECT_FALSE(s.OnlyHostLeft());
    s[2].connectionId = s[3].connectionId = kNoConnection;
    EXPECT_TRUE(s.OnlyHostLeft());
}

}  // namespace
