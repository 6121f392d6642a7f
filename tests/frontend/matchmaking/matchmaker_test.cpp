// Hosting and joining through a real Prosody on loopback, run from the
// shipped configuration: a hosted game is listed as it stands and leaves
// when it closes; a join asks the host and reaches its game while no other
// occupant learns where it is; quick match pairs two players; a host that
// never answers, a game of another version, a "friends only" game.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <mutex>
#include <string>

#include "frontend/matchmaking/matchmaker.h"
#include "tests/frontend/lobby/heard_events.h"
#include "tests/frontend/lobby/prosody_test.h"
#include "tests/frontend/matchmaking/lobby_peer.h"
#include "tests/frontend/matchmaking/waiting_listing.h"
#include "tests/frontend/spin_until.h"

using namespace lobby;

namespace {

constexpr int kListingMs = 2000;

// An occupant that only looks at the list, keeping every byte it reads.
struct Onlooker : LobbyListener {
    explicit Onlooker(const QString& nickname) : name(nickname) {}
    void LobbyReport(const LobbyEvent& event) override {
        if (std::holds_alternative<JoinAnswered>(event)) ++answersHeard;
    }
    bool SignIn(const LobbyServer& server, const QString& nickname) {
        return client.SignIn(server, nickname, [this](const std::string& piece) {
                   std::lock_guard lock(mutex);
                   stream += piece;
               }) && SpinUntil([&] { return client.Status() != LobbyStatus::SigningIn; }) &&
               client.Status() == LobbyStatus::In;
    }
    std::optional<GameListing> GameOf(const QString& host) const {
        const auto it = client.Games().find(host);
        return it == client.Games().end() ? std::nullopt : std::optional(it->second);
    }
    bool Read(const std::string& text) {
        std::lock_guard lock(mutex);
        return stream.find(text) != std::string::npos;
    }

    const QString name;
    std::mutex mutex;
    std::string stream;
    int answersHeard = 0;
    LobbyClient client{*this};
};

// A lobby client that lists whatever game it is given and answers nobody.
struct SilentHost : LobbyListener {
    void LobbyReport(const LobbyEvent& event) override {
        if (std::holds_alternative<JoinAsked>(event)) ++asked;
    }
    // Signs in under the game's host name and lists the game.
    bool Lists(const LobbyServer& server, const GameListing& game) {
        return client.SignIn(server, game.hostName) && client.PublishGame(game);
    }
    int asked = 0;
    LobbyClient client{*this};
};

class Matchmaking : public ProsodyTest {
protected:
    // Each signs in under its own name, one after the other; false from the
    // first that cannot.
    template <typename... Occupants>
    bool SignIn(Occupants&... occupants) {
        return (occupants.SignIn(server_.Lobby(), occupants.name) && ...);
    }
    // The silent host lists its game and the player sees it in the list.
    bool ListedAndSeen(SilentHost& host, const GameListing& game, LobbyPeer& player) {
        return host.Lists(server_.Lobby(), game) &&
               SpinUntil([&] { return player.GameOf(game.hostName).has_value(); }, kListingMs);
    }
};

}  // namespace

TEST_F(Matchmaking, AHostedGameIsListedAsItStandsAndLeavesWithinTwoSecondsOfClosing) {
    LobbyPeer ana("Ana"), bob("Bob");
    Onlooker cid("Cid");
    ASSERT_TRUE(SignIn(ana, bob, cid));

    const qint64 before = QDateTime::currentSecsSinceEpoch();
    ASSERT_TRUE(ana.core.Online().HostOnPort(0, QString()));
    ASSERT_TRUE(SpinUntil([&] { return cid.GameOf("Ana").has_value(); }, kListingMs));
    GameListing listed = *cid.GameOf("Ana");
    ExpectWaitingForASecondPlayer(listed, "Ana");
    EXPECT_GE(listed.openedAt, before);
    EXPECT_LE(listed.openedAt, QDateTime::currentSecsSinceEpoch());

    bob.matchmaker.Join("Ana", QString());
    ASSERT_TRUE(SpinUntil([&] { return ana.Seated("Bob"); }));
    EXPECT_EQ(bob.core.Online().State(), Session::Joined);
    EXPECT_TRUE(bob.failures.empty());
    ASSERT_TRUE(SpinUntil([&] { return cid.GameOf("Ana") && cid.GameOf("Ana")->seatsTaken == 2; },
                          kListingMs));

    ana.core.Online().StartFirstMatch();
    ASSERT_TRUE(SpinUntil(
        [&] { return cid.GameOf("Ana") && cid.GameOf("Ana")->stage == GameStage::InMatch; },
        kListingMs));
    // Opened once: the time it opened does not move as the game changes.
    EXPECT_EQ(cid.GameOf("Ana")->openedAt, listed.openedAt);

    // Where to connect went to Bob alone.
    const std::string port = std::to_string(ana.core.Online().ListeningPort());
    EXPECT_FALSE(cid.Read("port='" + port + "'"));
    EXPECT_FALSE(cid.Read("port=\"" + port + "\""));
    // Nor the answer itself: the bare address would not tell, since every
    // occupant learns the lobby's relay, on 127.0.0.1 here as well.
    EXPECT_FALSE(cid.Read("<address"));
    EXPECT_EQ(cid.answersHeard, 0);

    QElapsedTimer closing;
    closing.start();
    ana.core.Online().LeaveGame(false);
    ASSERT_TRUE(SpinUntil([&] { return !cid.GameOf("Ana").has_value(); }, kListingMs));
    EXPECT_LE(closing.elapsed(), kListingMs);
}

TEST_F(Matchmaking, APasswordAndAThirdPlayerWhoWatchesAreListed) {
    LobbyPeer ana("Ana"), bob("Bob"), dan("Dan");
    Onlooker cid("Cid");
    ASSERT_TRUE(SignIn(ana, bob, dan, cid));
    ASSERT_TRUE(ana.core.Online().HostOnPort(0, "secret"));
    ASSERT_TRUE(SpinUntil([&] { return cid.GameOf("Ana") && cid.GameOf("Ana")->password; },
                          kListingMs));
    ASSERT_TRUE(SpinUntil([&] { return bob.GameOf("Ana") && dan.GameOf("Ana"); }, kListingMs));

    bob.matchmaker.Join("Ana", "secret");
    ASSERT_TRUE(SpinUntil([&] { return ana.Seated("Bob"); }));
    dan.matchmaker.Join("Ana", "secret");
    ASSERT_TRUE(SpinUntil([&] { return ana.Seated("Dan"); }));
    ASSERT_TRUE(SpinUntil([&] { return cid.GameOf("Ana") && cid.GameOf("Ana")->watchers == 1; },
                          kListingMs));
    EXPECT_EQ(cid.GameOf("Ana")->seatsTaken, 2);
}

TEST_F(Matchmaking, AFriendsOnlyGameIsNeitherListedNorToldToAnyoneWhoAsks) {
    LobbyPeer ana("Ana"), bob("Bob");
    Onlooker cid("Cid");
    ASSERT_TRUE(SignIn(ana, bob, cid));
    ASSERT_TRUE(ana.core.Online().HostOnPort(0, QString()));
    ASSERT_TRUE(SpinUntil([&] { return bob.GameOf("Ana").has_value(); }, kListingMs));

    // Bob asked while it was listed; the answer must not come once it is not.
    ana.matchmaker.SetFriendsOnly(true);
    bob.matchmaker.SetAnswerTimeLimitMs(1500);
    bob.matchmaker.Join("Ana", QString());
    ASSERT_TRUE(SpinUntil([&] { return !bob.failures.empty(); }, kListingMs + 1500));
    EXPECT_EQ(bob.failures[0].first, "Ana");
    EXPECT_TRUE(bob.failures[0].second == JoinFailure::NotListed ||
                bob.failures[0].second == JoinFailure::NoAnswer);
    EXPECT_EQ(bob.core.Online().State(), Session::Offline);
    // Ana's refusal is direct, but her listing leaves through the server, so an
    // onlooker may still see it for a moment after Bob has been told no.
    EXPECT_TRUE(SpinUntil([&] { return !cid.GameOf("Ana").has_value(); }, kListingMs));

    ana.matchmaker.SetFriendsOnly(false);
    ASSERT_TRUE(SpinUntil([&] { return cid.GameOf("Ana").has_value(); }, kListingMs));
}

TEST_F(Matchmaking, QuickMatchPairsTwoPlayersWhoPressItOneAfterTheOther) {
    LobbyPeer ana("Ana"), bob("Bob");
    ASSERT_TRUE(SignIn(ana, bob));
    // A game with a password, or one that is full, is not for a quick match.
    SilentHost locked, full;
    GameListing lockedGame = OpenGameOf("Lia");
    lockedGame.password = true;
    lockedGame.openedAt = 1;
    GameListing fullGame = OpenGameOf("Max");
    fullGame.seatsTaken = 2;
    fullGame.openedAt = 1;
    ASSERT_TRUE(locked.Lists(server_.Lobby(), lockedGame));
    ASSERT_TRUE(full.Lists(server_.Lobby(), fullGame));
    ASSERT_TRUE(SpinUntil([&] { return ana.GameOf("Lia") && ana.GameOf("Max"); }, kListingMs));

    ASSERT_TRUE(ana.matchmaker.QuickMatch(QString::number(FreeLoopbackPort())));
    EXPECT_TRUE(ana.core.Online().IsHost());
    ASSERT_TRUE(SpinUntil([&] { return bob.GameOf("Ana").has_value(); }, kListingMs));
    ASSERT_TRUE(bob.matchmaker.QuickMatch(QString::number(FreeLoopbackPort())));
    ASSERT_TRUE(SpinUntil([&] { return ana.Seated("Bob"); }));
    EXPECT_EQ(bob.core.Online().State(), Session::Joined);
    EXPECT_EQ(locked.asked + full.asked, 0);
    // Bob is in a game now: another quick match starts nothing.
    EXPECT_FALSE(bob.matchmaker.QuickMatch(QString::number(FreeLoopbackPort())));
}

TEST_F(Matchmaking, AHostThatNeverAnswersGivesAFailedJoinAndNothingHangs) {
    LobbyPeer bob("Bob");
    SilentHost mute;
    ASSERT_TRUE(SignIn(bob));
    ASSERT_TRUE(ListedAndSeen(mute, OpenGameOf("Mute"), bob));

    bob.matchmaker.SetAnswerTimeLimitMs(1000);
    QElapsedTimer waited;
    waited.start();
    bob.matchmaker.Join("Mute", QString());
    EXPECT_TRUE(bob.matchmaker.Joining());
    // A second join while the first waits is refused at once.
    bob.matchmaker.Join("Mute", QString());
    ASSERT_EQ(bob.failures.size(), 1u);
    EXPECT_EQ(bob.failures[0].second, JoinFailure::Busy);
    ASSERT_TRUE(SpinUntil([&] { return bob.failures.size() == 2; }, 5000));
    EXPECT_EQ(bob.failures[1], std::make_pair(QStringLiteral("Mute"), JoinFailure::NoAnswer));
    // Not before the time limit (a coarse timer may end up to 5 % early).
    EXPECT_GE(waited.elapsed(), 950);
    EXPECT_FALSE(bob.matchmaker.Joining());
    EXPECT_EQ(mute.asked, 1);
    EXPECT_EQ(bob.core.Online().State(), Session::Offline);
    // The lobby is still there for the next try.
    EXPECT_EQ(bob.matchmaker.Client().Status(), LobbyStatus::In);
}

TEST_F(Matchmaking, AJoinThatCannotBeAskedIsRefusedAtOnceAndNothingIsAsked) {
    LobbyPeer bob("Bob");
    SilentHost other;
    bob.matchmaker.Join("Old", QString());
    ASSERT_EQ(bob.failures.size(), 1u);
    EXPECT_EQ(bob.failures[0].second, JoinFailure::NotSignedIn);

    GameListing oldGame = OpenGameOf("Old");
    oldGame.version = "v1.0";
    ASSERT_TRUE(SignIn(bob));
    ASSERT_TRUE(ListedAndSeen(other, oldGame, bob));
    bob.matchmaker.Join("Old", QString());
    bob.matchmaker.Join("Nobody", QString());
    ASSERT_EQ(bob.failures.size(), 3u);
    EXPECT_EQ(bob.failures[1], std::make_pair(QStringLiteral("Old"), JoinFailure::OtherVersion));
    EXPECT_EQ(bob.failures[2], std::make_pair(QStringLiteral("Nobody"), JoinFailure::NotListed));
    // Quick match takes no game of another version: it hosts one instead.
    ASSERT_TRUE(bob.matchmaker.QuickMatch(QString::number(FreeLoopbackPort())));
    EXPECT_TRUE(bob.core.Online().IsHost());
    SpinFor(300);
    EXPECT_EQ(other.asked, 0);

    // In a game already.
    bob.matchmaker.Join("Old", QString());
    EXPECT_EQ(bob.failures.back().second, JoinFailure::Busy);
}

TEST_F(Matchmaking, AGameThatLeavesTheListWhileItsHostIsAskedFailsTheJoin) {
    LobbyPeer bob("Bob");
    SilentHost leaving;
    ASSERT_TRUE(SignIn(bob));
    ASSERT_TRUE(ListedAndSeen(leaving, OpenGameOf("Eve"), bob));
    bob.matchmaker.Join("Eve", QString());
    ASSERT_TRUE(SpinUntil([&] { return leaving.asked == 1; }, kListingMs));
    leaving.client.WithdrawGame();
    ASSERT_TRUE(SpinUntil([&] { return !bob.failures.empty(); }, kListingMs));
    EXPECT_EQ(bob.failures[0], std::make_pair(QStringLiteral("Eve"), JoinFailure::NotListed));
    EXPECT_FALSE(bob.matchmaker.Joining());
}
