// What a host's listing says while its game waits for a second player, the
// same whether read from the host's own state or from the lobby's list.
#pragma once

#include <gtest/gtest.h>

#include "frontend/lobby/game_listing.h"

inline void ExpectWaitingForASecondPlayer(const lobby::GameListing& listed, const QString& host) {
    EXPECT_EQ(listed.hostName, host);
    EXPECT_EQ(listed.seatsTaken, 1);
    EXPECT_EQ(listed.seats, 2);
    EXPECT_EQ(listed.watchers, 0);
    EXPECT_FALSE(listed.password);
    EXPECT_EQ(listed.stage, lobby::GameStage::Waiting);
    EXPECT_EQ(listed.version, "v1.1");
}
