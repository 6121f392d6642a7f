// What a hosted game's listing says as players come and its match starts,
// where a player who asks is sent, and which game a quick match joins.
#include <gtest/gtest.h>

#include "frontend/matchmaking/matchmaker.h"
#include "frontend/view/headless_view.h"
#include "tests/frontend/core/raw_connection.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/matchmaking/waiting_listing.h"

using namespace lobby;

namespace {

class HostedListing : public ::testing::Test {
protected:
    HostedListing() : chat(view, [](int) {}), game(view, chat, queue, library) {
        game.SetNickname("Ana");
    }

    HeadlessView view;
    EventQueue queue;
    ChatDisplay chat;
    RecordingLibrary library;
    OnlineGame game;
};

TEST_F(HostedListing, NothingIsListedUnlessThisMachineHosts) {
    EXPECT_FALSE(ListingOfHostedGame(game, 100).has_value());
    game.BeginPractice();
    EXPECT_FALSE(ListingOfHostedGame(game, 100).has_value());
    ASSERT_TRUE(game.HostOnPort(0, ""));
    EXPECT_TRUE(ListingOfHostedGame(game, 100).has_value());
    game.LeaveGame(true);
    EXPECT_FALSE(ListingOfHostedGame(game, 100).has_value());
}

TEST_F(HostedListing, TheFirstTwoPlayersSitTheOthersWatchAndTheMatchIsShown) {
    ASSERT_TRUE(game.HostOnPort(0, ""));
    GameListing alone = *ListingOfHostedGame(game, 1765280000);
    ExpectWaitingForASecondPlayer(alone, "Ana");
    EXPECT_EQ(alone.openedAt, 1765280000);
    EXPECT_TRUE(IsPublishable(alone));

    const auto bob = AdmittedConnection(game.ListeningPort(), "Bob", 2);
    const auto cid = AdmittedConnection(game.ListeningPort(), "Cid", 3);
    const auto dan = AdmittedConnection(game.ListeningPort(), "Dan", 4);
    GameListing full = *ListingOfHostedGame(game, 1765280000);
    EXPECT_EQ(full.seatsTaken, 2);
    EXPECT_EQ(full.watchers, 2);
    EXPECT_EQ(full.stage, GameStage::Waiting);

    game.StartFirstMatch();
    ASSERT_TRUE(game.MatchRunning());
    EXPECT_EQ(ListingOfHostedGame(game, 1765280000)->stage, GameStage::InMatch);

    // A watcher leaves; the players keep their seats.
    dan->Close();
    ASSERT_TRUE(SpinUntil([&] { return ListingOfHostedGame(game, 0)->watchers == 1; }));
    EXPECT_EQ(ListingOfHostedGame(game, 0)->seatsTaken, 2);
}

TEST_F(HostedListing, APasswordIsFlaggedButNeverPartOfTheListing) {
    ASSERT_TRUE(game.HostOnPort(0, "hunter2"));
    const GameListing listing = *ListingOfHostedGame(game, 0);
    EXPECT_TRUE(listing.password);
    for (const auto& [name, value] : EncodeGameListing(listing))
        EXPECT_EQ(QString::fromStdString(value).indexOf("hunter2"), -1) << name;
}

TEST_F(HostedListing, ALongNicknameIsShortenedSoTheListingCanBeRead) {
    game.SetNickname(QString(40, u'n'));
    ASSERT_TRUE(game.HostOnPort(0, ""));
    const GameListing listing = *ListingOfHostedGame(game, 0);
    EXPECT_EQ(listing.hostName, QString(kMaxHostNameChars, u'n'));
    EXPECT_TRUE(IsPublishable(listing));
}

TEST(WhereToJoin, TheRoutersForwardedAddressWhenThereIsOneElseThisMachinesOwn) {
    EXPECT_EQ(WhereToJoin(ForwardedPort{"203.0.113.5", 2500}, "192.168.1.20", 2500),
              (JoinAnswer{"203.0.113.5", 2500}));
    EXPECT_EQ(WhereToJoin(std::nullopt, "192.168.1.20", 41234), (JoinAnswer{"192.168.1.20", 41234}));
}

GameListing Open(int64_t openedAt) {
    GameListing game;
    game.hostName = "h";
    game.seatsTaken = 1;
    game.version = "v1.1";
    game.openedAt = openedAt;
    return game;
}

TEST(QuickMatchHost, TheOldestWaitingGameOfThisVersionWithoutAPasswordAndWithASeat) {
    std::map<QString, GameListing> games;
    EXPECT_FALSE(QuickMatchHost(games, "v1.1", "Me").has_value());

    games["Young"] = Open(300);
    games["Old"] = Open(200);
    EXPECT_EQ(QuickMatchHost(games, "v1.1", "Me"), "Old");

    // Older games that a quick match must pass over.
    games["Me"] = Open(10);
    games["Other"] = Open(20);
    games["Other"].version = "v1.0";
    games["Locked"] = Open(30);
    games["Locked"].password = true;
    games["Playing"] = Open(40);
    games["Playing"].stage = GameStage::InMatch;
    games["Full"] = Open(50);
    games["Full"].seatsTaken = 2;
    EXPECT_EQ(QuickMatchHost(games, "v1.1", "Me"), "Old");

    games.erase("Old");
    games.erase("Young");
    EXPECT_FALSE(QuickMatchHost(games, "v1.1", "Me").has_value());
}

TEST(QuickMatchHost, GamesOpenedInTheSameSecondGoToTheFirstByName) {
    const std::map<QString, GameListing> games = {{"Zoe", Open(100)}, {"Ann", Open(100)}};
    EXPECT_EQ(QuickMatchHost(games, "v1.1", "Me"), "Ann");
}

}  // namespace
