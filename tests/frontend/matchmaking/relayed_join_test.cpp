// Joining from the lobby when the host's answered address leads nowhere,
// through a real Prosody on loopback: the join goes through the lobby's
// relay and the game is played over it as over a direct line; a host that
// answers directly is joined directly; a lobby without a relay fails the
// join with a message that names the port to forward.
//
// A host that cannot be reached is a host that answers with a name nobody
// answers for: the joiner's look-up is a stand-in that never answers, so
// the direct try ends on its time limit, as an unanswered connection does.
#include <gtest/gtest.h>

#include "frontend/matchmaking/matchmaker.h"
#include "frontend/net/reconnector.h"
#include "tests/frontend/lobby/prosody_test.h"
#include "tests/frontend/matchmaking/lobby_peer.h"
#include "tests/frontend/spin_until.h"

using namespace lobby;

namespace {

constexpr int kListingMs = 2000;
// The direct try, the relay's set-up and the login, with room for a loaded machine.
constexpr int kRelayedJoinMs = 15000;
const QString kUnreachableName = QStringLiteral("ana.home.arpa");

bool ChatShows(const HeadlessView& view, const QString& text) {
    for (const ChatLine& line : view.chatLines)
        if (HeadlessView::PlainText(line).contains(text)) return true;
    return false;
}

// A name whose look-up never answers.
void NeverAnswers(const QString&, QObject*, std::function<void(const QList<QHostAddress>&)>) {}

class RelayedJoin : public ProsodyTest {
protected:
    // Ana hosts a listed game and answers with where she is; Bob sees it and
    // cannot reach a name (his look-up never answers).
    void HostAndSee(LobbyPeer& ana, LobbyPeer& bob, const QString& answeredAddress) {
        ana.matchmaker.SetOwnAddress([answeredAddress] { return answeredAddress; });
        bob.core.Online().SetHostResolver(NeverAnswers, 1000);
        ASSERT_TRUE(ana.SignIn(server_.Lobby(), "Ana"));
        ASSERT_TRUE(bob.SignIn(server_.Lobby(), "Bob"));
        ASSERT_TRUE(ana.core.Online().HostOnPort(0, QString()));
        ASSERT_TRUE(SpinUntil([&] { return bob.GameOf("Ana").has_value(); }, kListingMs));
    }
};

class RelaylessJoin : public RelayedJoin {
protected:
    bool WithRelay() const override { return false; }
};

}  // namespace

TEST_F(RelayedJoin, AHostThatCannotBeReachedIsJoinedThroughTheRelayAndPlayedWith) {
    LobbyPeer ana("Ana"), bob("Bob");
    HostAndSee(ana, bob, kUnreachableName);

    bob.matchmaker.Join("Ana", QString());
    EXPECT_TRUE(bob.matchmaker.Joining());
    ASSERT_TRUE(SpinUntil([&] { return ana.Seated("Bob") || !bob.failures.empty(); }, kRelayedJoinMs));
    ASSERT_TRUE(bob.failures.empty()) << static_cast<int>(bob.failures[0].second);
    EXPECT_FALSE(bob.matchmaker.Joining());
    EXPECT_EQ(bob.core.Online().State(), Session::Joined);
    EXPECT_TRUE(bob.core.Online().JoinedOverRelay());
    EXPECT_EQ(ana.core.Online().RelayedLineCount(), 1);
    // Nothing was told as a failure on the way: the failed direct try is
    // the relay's cue, not the player's business.
    EXPECT_TRUE(bob.view.messages.isEmpty()) << bob.view.messages.join('|').toStdString();

    EXPECT_TRUE(ChatShows(bob.view, "Connected to Ana via the lobby's relay."));
    EXPECT_TRUE(ChatShows(ana.view, "Bob came via the lobby's relay (players relayed: 1)."));
    EXPECT_TRUE(SpinUntil([&] { return ChatShows(ana.view, "Bob has entered in the chat!"); }));

    // The game's own messages cross both ways.
    bob.core.Chat().Enter("hello over the relay");
    EXPECT_TRUE(SpinUntil([&] { return ChatShows(ana.view, "hello over the relay"); }));
    ana.core.Chat().Enter("and back again");
    EXPECT_TRUE(SpinUntil([&] { return ChatShows(bob.view, "and back again"); }));

    // The match starts on both machines over the relayed line.
    ana.core.Online().StartFirstMatch();
    EXPECT_TRUE(SpinUntil([&] { return bob.core.Online().MatchRunning(); }));
    EXPECT_EQ(bob.core.Online().MatchSeed(), ana.core.Online().MatchSeed());

    // Bob leaves: the host counts no relayed line any more.
    bob.core.Online().LeaveGame(false);
    EXPECT_TRUE(SpinUntil([&] { return !ana.Seated("Bob"); }));
    EXPECT_TRUE(SpinUntil([&] { return ana.core.Online().RelayedLineCount() == 0; }));
}

TEST_F(RelayedJoin, AHostThatAnswersDirectlyIsJoinedDirectly) {
    LobbyPeer ana("Ana"), bob("Bob");
    HostAndSee(ana, bob, QStringLiteral("127.0.0.1"));

    bob.matchmaker.Join("Ana", QString());
    ASSERT_TRUE(SpinUntil([&] { return ana.Seated("Bob"); }));
    EXPECT_TRUE(bob.failures.empty());
    EXPECT_FALSE(bob.core.Online().JoinedOverRelay());
    EXPECT_EQ(ana.core.Online().RelayedLineCount(), 0);
    // Long enough for a relayed line that was wrongly asked for to come.
    SpinFor(1000);
    EXPECT_EQ(ana.core.Online().RelayedLineCount(), 0);
    EXPECT_TRUE(ana.All<RelayReady>().empty());
    EXPECT_FALSE(ChatShows(bob.view, "relay"));
}

TEST_F(RelaylessJoin, ALobbyWithoutARelayFailsTheJoinNamingThePortToForward) {
    LobbyPeer ana("Ana"), bob("Bob");
    bob.core.Online().SetLanguage(3);
    HostAndSee(ana, bob, kUnreachableName);
    const QString port = QString::number(ana.core.Online().ListeningPort());

    bob.matchmaker.Join("Ana", QString());
    ASSERT_TRUE(SpinUntil([&] { return !bob.failures.empty(); }, kRelayedJoinMs));
    EXPECT_EQ(bob.failures[0], std::make_pair(QStringLiteral("Ana"), JoinFailure::NoRelay));
    ASSERT_EQ(bob.view.messages.size(), 1);
    EXPECT_EQ(bob.view.messages[0],
              "No se pudo alcanzar el juego de Ana directamente y el lobby no tiene relay: Ana debe "
              "abrir la puerta TCP " + port + " en el router.");
    EXPECT_FALSE(bob.matchmaker.Joining());
    EXPECT_EQ(bob.core.Online().State(), Session::Offline);
    EXPECT_FALSE(ana.Seated("Bob"));
    // The lobby stays, and the next join may be asked.
    EXPECT_EQ(bob.matchmaker.Client().Status(), LobbyStatus::In);
    bob.matchmaker.Join("Ana", QString());
    EXPECT_TRUE(bob.matchmaker.Joining());
}

TEST_F(RelayedJoin, SigningOutWhileTheRelayIsAskedForEndsTheJoinAndNoLineIsTaken) {
    LobbyPeer ana("Ana"), bob("Bob");
    HostAndSee(ana, bob, kUnreachableName);

    bob.matchmaker.Join("Ana", QString());
    // Past the direct try, while the relay is being set up.
    ASSERT_TRUE(SpinUntil([&] { return bob.core.Online().IsConnecting(); }, kRelayedJoinMs));
    ASSERT_TRUE(SpinUntil([&] { return !bob.core.Online().IsConnecting(); }, kRelayedJoinMs));
    ASSERT_TRUE(bob.matchmaker.Joining());
    ASSERT_TRUE(bob.failures.empty());
    bob.matchmaker.SignOut();
    ASSERT_EQ(bob.failures.size(), 1u);
    EXPECT_EQ(bob.failures[0].second, JoinFailure::NotSignedIn);
    EXPECT_FALSE(bob.matchmaker.Joining());
    SpinFor(1500);
    EXPECT_EQ(bob.core.Online().State(), Session::Offline);
    EXPECT_FALSE(ana.Seated("Bob"));
}

// The relayed line breaks in a match and the way back asks for a new one
// just before the lobby goes away too (the relay is part of the lobby's
// server): that request can never be answered, so it must count as a
// failed attempt, and the way back must go on trying until the lobby is
// back and a new relayed line comes.
TEST_F(RelayedJoin, ALobbyLostWhileTheWayBackAsksForALineIsTriedAgainOnceTheLobbyIsBack) {
    LobbyPeer ana("Ana"), bob("Bob");
    HostAndSee(ana, bob, kUnreachableName);
    bob.matchmaker.Join("Ana", QString());
    ASSERT_TRUE(SpinUntil([&] { return ana.Seated("Bob"); }, kRelayedJoinMs));
    ana.core.Online().StartFirstMatch();
    ASSERT_TRUE(SpinUntil([&] { return bob.core.Online().MatchRunning(); }));

    // The server hangs, so the lobby still looks there when Bob's line
    // breaks and the way back asks it for a new one.
    server_.Freeze();
    bob.core.Online().Link().Disconnect();
    bob.core.Online().OnHostConnectionLost();
    ASSERT_TRUE(bob.core.Online().Reconnecting());
    SpinFor(Reconnector::kRetryEveryMs + 500);
    ASSERT_EQ(bob.matchmaker.Client().Status(), LobbyStatus::In);

    // Then it is gone, and back after a while.
    server_.Stop();
    ASSERT_TRUE(SpinUntil([&] { return bob.matchmaker.Client().Status() == LobbyStatus::Out; }));
    ASSERT_TRUE(server_.Start()) << server_.Problem().toStdString();
    ASSERT_TRUE(ana.SignIn(server_.Lobby(), "Ana"));
    ASSERT_TRUE(bob.SignIn(server_.Lobby(), "Bob"));

    ASSERT_TRUE(SpinUntil([&] { return !bob.core.Online().Reconnecting(); }, kRelayedJoinMs + 5000));
    EXPECT_EQ(bob.core.Online().State(), Session::Joined);
    EXPECT_TRUE(bob.core.Online().JoinedOverRelay());
    EXPECT_TRUE(ana.Seated("Bob"));
    EXPECT_TRUE(SpinUntil([&] { return ChatShows(bob.view, "Reconnected. The game goes on."); }));
}
