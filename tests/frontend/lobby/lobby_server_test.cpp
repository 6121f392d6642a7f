// The lobby client against a real Prosody on loopback, run from the shipped
// configuration: games appear, change and go for every occupant; the
// host's address reaches the asking player alone; a taken nickname, hostile
// payloads and chat, a server that stops or never answers.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <mutex>

#include "frontend/lobby/lobby_client.h"
#include "tests/frontend/lobby/heard_events.h"
#include "tests/frontend/lobby/prosody_test.h"
#include "tests/frontend/lobby/raw_occupant.h"
#include "tests/frontend/spin_until.h"

using namespace lobby;

namespace {

// Every change must reach the other occupants within this.
constexpr int kListingMs = 2000;

struct Player : HeardEvents {
    LobbyClient client{*this};

    std::optional<GameListing> GameOf(const QString& host) const {
        const auto it = client.Games().find(host);
        return it == client.Games().end() ? std::nullopt : std::optional(it->second);
    }
    bool HeardLine(const QString& text) const {
        const auto lines = All<ChatHeard>();
        return std::any_of(lines.begin(), lines.end(), [&](const ChatHeard& c) { return c.text == text; });
    }
};

GameListing GameOfAna() { return OpenGameOf(QStringLiteral("Ana")); }

class LobbyServerTest : public ProsodyTest {
protected:
    bool SignIn(Player& p, const QString& nickname) {
        return p.client.SignIn(server_.Lobby(), nickname) &&
               SpinUntil([&] { return p.client.Status() == LobbyStatus::In || p.client.Status() == LobbyStatus::Out; }) &&
               p.client.Status() == LobbyStatus::In;
    }
};

}  // namespace

// A setting the server cannot apply (a misspelt option, one its Lua does not
// have) is only logged, and the lobby runs without it.
TEST_F(LobbyServerTest, TheServerAppliesTheShippedConfigurationWithoutAnError) {
    Player ana;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana")));
    const QStringList errors = server_.Log().split(QLatin1Char('\n')).filter(QStringLiteral("\terror\t"));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(LobbyServerTest, AGameAppearsChangesAndLeavesForEveryOccupantWithinTwoSeconds) {
    Player ana, bob, cid;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana")));
    ASSERT_TRUE(SignIn(bob, QStringLiteral("Bob")));
    ASSERT_TRUE(SignIn(cid, QStringLiteral("Cid")));

    ASSERT_TRUE(ana.client.PublishGame(GameOfAna()));
    for (Player* p : {&bob, &cid})
        EXPECT_TRUE(SpinUntil([&] { return p->GameOf(QStringLiteral("Ana")) == GameOfAna(); }, kListingMs));

    GameListing full = GameOfAna();
    full.seatsTaken = 2;
    full.watchers = 1;
    full.stage = GameStage::InMatch;
    ASSERT_TRUE(ana.client.PublishGame(full));
    for (Player* p : {&bob, &cid})
        EXPECT_TRUE(SpinUntil([&] { return p->GameOf(QStringLiteral("Ana")) == full; }, kListingMs));

    ana.client.WithdrawGame();
    for (Player* p : {&bob, &cid})
        EXPECT_TRUE(SpinUntil([&] { return !p->GameOf(QStringLiteral("Ana")); }, kListingMs));

    // A host that leaves the lobby takes its game along; a player who comes
    // later sees the games already open.
    ASSERT_TRUE(ana.client.PublishGame(GameOfAna()));
    Player dan;
    ASSERT_TRUE(SignIn(dan, QStringLiteral("Dan")));
    EXPECT_TRUE(SpinUntil([&] { return dan.GameOf(QStringLiteral("Ana")).has_value(); }, kListingMs));
    ana.client.SignOut();
    for (Player* p : {&bob, &cid, &dan})
        EXPECT_TRUE(SpinUntil([&] { return !p->GameOf(QStringLiteral("Ana")); }, kListingMs));
    EXPECT_EQ(bob.All<GameGone>().size(), 2u);
}

TEST_F(LobbyServerTest, TheHostsAddressReachesThePlayerWhoAskedAndNoOtherOccupant) {
    Player ana, bob, cid;
    std::mutex streamMutex;
    std::string cidsStream;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana")));
    ASSERT_TRUE(SignIn(bob, QStringLiteral("Bob")));
    ASSERT_TRUE(cid.client.SignIn(server_.Lobby(), QStringLiteral("Cid"), [&](const std::string& piece) {
        std::lock_guard lock(streamMutex);
        cidsStream += piece;
    }));
    ASSERT_TRUE(SpinUntil([&] { return cid.client.Status() == LobbyStatus::In; }));
    ASSERT_TRUE(ana.client.PublishGame(GameOfAna()));
    ASSERT_TRUE(SpinUntil([&] { return bob.GameOf(QStringLiteral("Ana")) && cid.GameOf(QStringLiteral("Ana")); }));

    const JoinAnswer where{QStringLiteral("198.51.100.23"), 42424};
    // Unasked, the host's program sends nobody its address.
    ana.client.AnswerJoin(QStringLiteral("Cid"), where);
    ASSERT_TRUE(bob.client.AskToJoin(QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return !ana.All<JoinAsked>().empty(); }));
    EXPECT_EQ(ana.All<JoinAsked>()[0].occupant, QStringLiteral("Bob"));
    ana.client.AnswerJoin(QStringLiteral("Bob"), where);
    ASSERT_TRUE(SpinUntil([&] { return !bob.All<JoinAnswered>().empty(); }));
    EXPECT_EQ(bob.All<JoinAnswered>()[0].occupant, QStringLiteral("Ana"));
    EXPECT_EQ(bob.All<JoinAnswered>()[0].answer, where);

    // The game's changes still reach Cid, so its stream is being read.
    GameListing full = GameOfAna();
    full.seatsTaken = 2;
    ASSERT_TRUE(ana.client.PublishGame(full));
    ASSERT_TRUE(SpinUntil([&] { return cid.GameOf(QStringLiteral("Ana")) == full; }));
    std::lock_guard lock(streamMutex);
    EXPECT_NE(cidsStream.find("urn:x-ringdisk:lobby:1"), std::string::npos);
    EXPECT_EQ(cidsStream.find("198.51.100.23"), std::string::npos);
    EXPECT_EQ(cidsStream.find("42424"), std::string::npos);
    EXPECT_TRUE(cid.All<JoinAnswered>().empty());
}

TEST_F(LobbyServerTest, ATakenNicknameIsReportedAndAnotherSignsIn) {
    Player ana, other;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana")));
    ASSERT_TRUE(other.client.SignIn(server_.Lobby(), QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return !other.All<NicknameTaken>().empty(); }));
    EXPECT_EQ(other.All<NicknameTaken>()[0].nickname, QStringLiteral("Ana"));
    EXPECT_EQ(other.client.Status(), LobbyStatus::Out);
    EXPECT_TRUE(other.All<Failure>().empty());
    ASSERT_TRUE(SignIn(other, QStringLiteral("Ana2")));
    EXPECT_EQ(ana.client.Status(), LobbyStatus::In);
}

TEST_F(LobbyServerTest, MalformedPayloadsAndChatFromAnOccupantAreIgnored) {
    Player bob;
    ASSERT_TRUE(SignIn(bob, QStringLiteral("Bob")));
    RawOccupants eve(server_.Lobby(), {"Eve"});
    ASSERT_TRUE(SpinUntil([&] { return eve.Joined() == 1; }));
    const auto game = [](const std::string& seats, const std::string& watchers) {
        return "<presence to='%ROOM%/Eve'><game xmlns='urn:x-ringdisk:lobby:1' host='Eve' of='2' password='0' "
               "state='waiting' version='v1.1' opened='1765280000' seats='" +
               seats + "' watchers='" + watchers + "'/></presence>";
    };
    eve.Send(0, game("3", "0"));
    eve.Send(0, game("1", "0"));
    ASSERT_TRUE(SpinUntil([&] { return bob.GameOf(QStringLiteral("Eve")).has_value(); }));
    EXPECT_EQ(bob.All<GameSeen>().size(), 1u) << "the game with three of two seats taken was listed";

    eve.Send(0, game("1", "x"));
    ASSERT_TRUE(SpinUntil([&] { return !bob.GameOf(QStringLiteral("Eve")); }));

    // An address nobody asked for, too long a line, a line with control
    // characters; then a good line, which shows the others were read first.
    eve.Send(0, "<message type='chat' to='%ROOM%/Bob'><address xmlns='urn:x-ringdisk:lobby:1' host='203.0.113.9' "
             "port='2500'/></message>");
    eve.Send(0, "<message type='groupchat' to='%ROOM%'><body>" + std::string(101, 'a') + "</body></message>");
    eve.Send(0, "<message type='groupchat' to='%ROOM%'><body>ding&#9;dong</body></message>");
    eve.Send(0, "<message type='groupchat' to='%ROOM%'><body>ol\xc3\xa1</body></message>");
    ASSERT_TRUE(SpinUntil([&] { return bob.HeardLine(QStringLiteral("ol\u00e1")); }));
    EXPECT_EQ(bob.All<ChatHeard>().size(), 1u);
    EXPECT_TRUE(bob.All<JoinAnswered>().empty());
    EXPECT_EQ(bob.client.Status(), LobbyStatus::In);
}

TEST_F(LobbyServerTest, ChatIsLimitedInLengthByTheClientAndInPaceByBoth) {
    Player ana, bob;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana")));
    ASSERT_TRUE(SignIn(bob, QStringLiteral("Bob")));
    EXPECT_EQ(bob.client.SendChat(QString(101, QChar('a'))), ChatRefusal::TooLong);
    for (int i = 0; i < kChatBurstLines; ++i)
        EXPECT_EQ(bob.client.SendChat(QStringLiteral("linha %1").arg(i)), ChatRefusal::None);
    EXPECT_EQ(bob.client.SendChat(QStringLiteral("mais uma")), ChatRefusal::TooFast);
    ASSERT_TRUE(SpinUntil([&] { return ana.All<ChatHeard>().size() == static_cast<size_t>(kChatBurstLines); }));
    EXPECT_TRUE(SpinUntil([&] { return bob.HeardLine(QStringLiteral("linha 4")); }))
        << "the room shows the sender its own line";

    // The server holds any client to the same pace.
    RawOccupants eve(server_.Lobby(), {"Eve"});
    ASSERT_TRUE(SpinUntil([&] { return eve.Joined() == 1; }));
    for (int i = 0; i < 8; ++i)
        eve.Send(0, "<message type='groupchat' to='%ROOM%'><body>flood " + std::to_string(i) + "</body></message>");
    ASSERT_TRUE(SpinUntil([&] { return ana.HeardLine(QStringLiteral("flood 4")); }));
    SpinFor(500);
    EXPECT_FALSE(ana.HeardLine(QStringLiteral("flood 5")));
    EXPECT_FALSE(ana.HeardLine(QStringLiteral("flood 7")));
}

TEST_F(LobbyServerTest, AServerThatStopsMidSessionIsReportedAsLost) {
    Player ana;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana")));
    QElapsedTimer clock;
    clock.start();
    server_.Stop();
    ASSERT_TRUE(SpinUntil([&] { return !ana.All<Failure>().empty(); }, 5000));
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(ana.All<Failure>()[0].kind, FailureKind::ConnectionLost);
    EXPECT_EQ(ana.client.Status(), LobbyStatus::Out);
    EXPECT_TRUE(ana.client.Games().empty());
    EXPECT_EQ(ana.client.SendChat(QStringLiteral("oi")), ChatRefusal::NotSignedIn);
}

TEST_F(LobbyServerTest, AServerThatHangsWithTheLineOpenIsGivenUpAfterItsPingGoesUnanswered) {
    LobbyServer lobby = server_.Lobby();
    lobby.pingAfterQuietMs = 500;
    lobby.pingAnswerMs = 1000;
    Player ana;
    ASSERT_TRUE(ana.client.SignIn(lobby, QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return ana.client.Status() == LobbyStatus::In; }));
    // A quiet but living server answers the pings: nothing is reported.
    SpinFor(2500);
    EXPECT_TRUE(ana.All<Failure>().empty());
    server_.Freeze();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(SpinUntil([&] { return !ana.All<Failure>().empty(); }, 5000));
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_EQ(ana.All<Failure>()[0].kind, FailureKind::ConnectionLost);
    EXPECT_TRUE(ana.All<Failure>()[0].detail.contains(QStringLiteral("stopped answering")));
    // Signing out of a hung server does not hold the caller either.
    clock.restart();
    ana.client.SignOut();
    EXPECT_LT(clock.elapsed(), 400);
    EXPECT_EQ(ana.client.Status(), LobbyStatus::Out);
}

TEST_F(LobbyServerTest, AnUntrustedCertificateIsRefused) {
    Player ana;
    LobbyServer lobby = server_.Lobby();
    lobby.caFile.clear();
    ASSERT_TRUE(ana.client.SignIn(lobby, QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return !ana.All<Failure>().empty(); }));
    EXPECT_EQ(ana.All<Failure>()[0].kind, FailureKind::SignInRefused);
    EXPECT_TRUE(ana.All<SignedIn>().empty());
}

namespace {

class CrowdedLobbyTest : public LobbyServerTest {
protected:
    int ConnectionsPerAddress() const override { return 2; }
};

}  // namespace

TEST_F(CrowdedLobbyTest, OneAddressGetsOnlyTheConfiguredNumberOfConnections) {
    Player ana, bob, cid;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana")));
    ASSERT_TRUE(SignIn(bob, QStringLiteral("Bob")));
    ASSERT_TRUE(cid.client.SignIn(server_.Lobby(), QStringLiteral("Cid")));
    ASSERT_TRUE(SpinUntil([&] { return !cid.All<Failure>().empty(); }));
    EXPECT_EQ(cid.All<Failure>()[0].kind, FailureKind::SignInRefused);
    EXPECT_TRUE(cid.All<Failure>()[0].detail.contains(QStringLiteral("Too many connections")))
        << cid.All<Failure>()[0].detail.toStdString();
    // Once one leaves, there is room again.
    ana.client.SignOut();
    EXPECT_TRUE(SpinUntil([&] { return SignIn(cid, QStringLiteral("Cid")); }, 5000));
}
