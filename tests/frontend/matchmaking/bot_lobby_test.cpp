// The computer player as the lobby's host, in its own process, against a
// real Prosody on loopback: a player who joins it through the lobby plays a
// whole match against it (that player is the same computer player, in this
// process, joining through the matchmaker as the window does), after which
// the game is listed again, waiting; two of them side by side sign in under
// names of their own.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "bot/bot_player.h"
#include "bot/quiet_view.h"
#include "frontend/matchmaking/matchmaker.h"
#include "tests/frontend/lobby/prosody_test.h"
#include "tests/frontend/network/peer_process.h"
#include "tests/frontend/spin_until.h"

using namespace lobby;

namespace {

constexpr int kListingMs = 2000;
// A whole match of two beginners at a 2 ms tick, on a loaded machine.
constexpr int kMatchMs = 240000;

// The joining side: the computer player over the game library, in this
// process, with a matchmaker beside its core.
struct LobbyJoiner : MatchmakerObserver {
    LobbyJoiner() {
        core.Online().SetLanguage(2);
        core.Online().SetNickname("Bob");
        core.Loop().SetMinimumTickMs(0);
        core.Start(false, 2);
        player.Attach();
        QObject::connect(&poll, &QTimer::timeout, [this] { player.Poll(); });
        poll.start(2);
        core.Online().SetSessionListener([this](const SessionEvent& event) {
            if (const auto* end = std::get_if<session::Ended>(&event)) ends.push_back(end->reason);
        });
    }
    ~LobbyJoiner() override {
        poll.stop();
        core.Online().SetSessionListener({});
        matchmaker.SignOut();
        core.Close({});
    }
    void LobbyReport(const LobbyEvent&) override {}
    void JoinFailed(const QString& host, JoinFailure why) override {
        ADD_FAILURE() << "join to " << host.toStdString() << " failed: " << int(why);
    }
    // The room's games are heard before the room says we are in it.
    bool SignedIn() { return matchmaker.Client().Status() == LobbyStatus::In; }
    std::optional<GameListing> GameOf(const QString& host) {
        const auto it = matchmaker.Client().Games().find(host);
        return it == matchmaker.Client().Games().end() ? std::nullopt : std::optional(it->second);
    }
    bool Reported(const QString& prefix) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const QString& line) { return line.startsWith(prefix); });
    }

    QStringList lines;
    std::vector<SessionEnd> ends;
    QuietView view;
    FrontendCore core{view, [](int) {}};
    BotPlayer player{core, ai::Level::Beginner, 23, [this](const QString& l) { lines << l; }};
    Matchmaker matchmaker{core, *this};
    QTimer poll;
};

class BotInLobby : public ProsodyTest {
protected:
    PeerProcess& StartBot(const QString& seed) {
        const LobbyServer lobby = server_.Lobby();
        const QStringList args = {
            "--lobby",          lobby.domain,
            "--lobby-address",  QStringLiteral("%1:%2").arg(lobby.connectHost).arg(lobby.port),
            "--lobby-ca",       lobby.caFile,
            "--public-address", "127.0.0.1",
            "--name",           "Robo",
            "--level",          "beginner",
            "--seed",           seed,
            "--tick-ms",        "2"};
        return group_.StartProgram("Robo" + seed, QStringLiteral(RINGDISK_BOT_PATH), args,
                                   "READY");
    }

    PeerGroup group_;
};

}  // namespace

TEST_F(BotInLobby, APlayerJoinsItThroughTheLobbyPlaysAWholeMatchAndTheGameIsListedAgain) {
    PeerProcess& robo = StartBot("5");
    ASSERT_GE(robo.WaitForLine("LOBBY Robo"), 0);
    const auto hosting = robo.WaitForPrefix("HOSTING ");
    ASSERT_TRUE(hosting.has_value());

    LobbyJoiner bob;
    ASSERT_TRUE(bob.matchmaker.SignIn(server_.Lobby(), "Bob"));
    ASSERT_TRUE(SpinUntil([&] { return bob.SignedIn() && bob.GameOf("Robo").has_value(); }));
    EXPECT_EQ(bob.GameOf("Robo")->stage, GameStage::Waiting);
    EXPECT_EQ(bob.GameOf("Robo")->seatsTaken, 1);
    EXPECT_EQ(bob.GameOf("Robo")->hostName, "Robo");

    bob.matchmaker.Join("Robo", QString());
    ASSERT_TRUE(SpinUntil([&] { return bob.core.Online().MatchRunning(); }));
    EXPECT_EQ(bob.core.Online().MySlot(), 2);
    ASSERT_TRUE(SpinUntil(
        [&] { return bob.GameOf("Robo") && bob.GameOf("Robo")->stage == GameStage::InMatch; },
        kListingMs));

    // Both sides see the same end of the same match.
    ASSERT_TRUE(SpinUntil([&] { return bob.Reported("RESULT "); }, kMatchMs));
    const auto roboResult = robo.WaitForPrefix("RESULT ");
    ASSERT_TRUE(roboResult.has_value());
    const QString bobResult = *std::find_if(bob.lines.begin(), bob.lines.end(),
                                            [](const QString& l) { return l.startsWith("RESULT "); });
    EXPECT_EQ(roboResult->section(' ', 1, 1), bobResult.section(' ', 1, 1));
    EXPECT_TRUE(bob.Reported("SHOT "));
    EXPECT_GT(robo.CountPrefix("SHOT "), 0);

    // Then the game closes and a new one waits in the lobby.
    ASSERT_TRUE(SpinUntil([&] { return !bob.ends.empty(); }));
    EXPECT_EQ(bob.ends[0], SessionEnd::HostClosed);
    ASSERT_TRUE(SpinUntil([&] {
        const auto game = bob.GameOf("Robo");
        return game && game->stage == GameStage::Waiting && game->seatsTaken == 1;
    }));
    EXPECT_EQ(robo.CountPrefix("HOSTING "), 2);
    EXPECT_TRUE(robo.Running());
}

TEST_F(BotInLobby, APlayerWhoLeavesMidMatchLeavesAGameWaitingForTheNext) {
    PeerProcess& robo = StartBot("7");
    ASSERT_GE(robo.WaitForLine("LOBBY Robo"), 0);
    LobbyJoiner bob;
    ASSERT_TRUE(bob.matchmaker.SignIn(server_.Lobby(), "Bob"));
    ASSERT_TRUE(SpinUntil([&] { return bob.SignedIn() && bob.GameOf("Robo").has_value(); }));
    bob.matchmaker.Join("Robo", QString());
    ASSERT_TRUE(SpinUntil([&] { return bob.core.Online().MatchRunning(); }));
    ASSERT_TRUE(SpinUntil(
        [&] { return bob.GameOf("Robo") && bob.GameOf("Robo")->stage == GameStage::InMatch; },
        kListingMs));

    bob.core.Online().LeaveGame(false);
    ASSERT_TRUE(SpinUntil([&] {
        const auto game = bob.GameOf("Robo");
        return game && game->stage == GameStage::Waiting && game->seatsTaken == 1;
    }));
    ASSERT_TRUE(robo.WaitForPrefix("HOSTING ", 0).has_value());
    EXPECT_FALSE(robo.WaitForPrefix("RESULT ", 0, 100).has_value());
    // It is joined again, by the same player, and the match starts.
    ASSERT_TRUE(SpinUntil([&] { return robo.CountPrefix("HOSTING ") == 2; }));
    ASSERT_TRUE(SpinUntil([&] {
        const auto game = bob.GameOf("Robo");
        return game && game->stage == GameStage::Waiting;
    }));
    bob.matchmaker.Join("Robo", QString());
    ASSERT_TRUE(SpinUntil([&] { return bob.core.Online().MatchRunning(); }));
}

TEST_F(BotInLobby, TwoSideBySideSignInUnderNamesOfTheirOwnAndHostOnPortsOfTheirOwn) {
    PeerProcess& first = StartBot("5");
    ASSERT_GE(first.WaitForLine("LOBBY Robo"), 0);
    PeerProcess& second = StartBot("6");
    ASSERT_GE(second.WaitForLine("LOBBY Robo2"), 0);
    const auto firstPort = first.WaitForPrefix("HOSTING ");
    const auto secondPort = second.WaitForPrefix("HOSTING ");
    ASSERT_TRUE(firstPort && secondPort);
    EXPECT_NE(*firstPort, *secondPort);

    LobbyJoiner bob;
    ASSERT_TRUE(bob.matchmaker.SignIn(server_.Lobby(), "Bob"));
    ASSERT_TRUE(SpinUntil([&] { return bob.GameOf("Robo") && bob.GameOf("Robo2"); }));
    EXPECT_EQ(bob.GameOf("Robo2")->hostName, "Robo2");

    // One that is told to leave takes its game out of the list.
    first.Terminate();
    ASSERT_TRUE(first.WaitForExit().has_value());
    ASSERT_TRUE(SpinUntil([&] { return !bob.GameOf("Robo").has_value(); }, kListingMs));
    EXPECT_TRUE(bob.GameOf("Robo2").has_value());
}

// Leaving waits for the lobby's goodbye so the line is not cut mid-close,
// but a lobby that has stopped answering must not hold the program up.
TEST_F(BotInLobby, ABotToldToLeaveWhileTheLobbyHangsStillEndsWithinAMoment) {
    PeerProcess& robo = StartBot("5");
    ASSERT_GE(robo.WaitForLine("LOBBY Robo"), 0);
    ASSERT_TRUE(robo.WaitForPrefix("HOSTING ").has_value());

    server_.Freeze();
    QElapsedTimer leaving;
    leaving.start();
    robo.Terminate();
    const auto status = robo.WaitForExit();
    server_.Thaw();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 0);
    EXPECT_LT(leaving.elapsed(), 4000);
}
