// Relayed lines through a real Prosody's proxy on loopback, run from the
// shipped configuration: two players agree a line and bytes cross it both
// ways intact, at the configured pace; a server without a relay, an occupant that never answers,
// one that lists no game, forged offers and one stream too many all fail
// clearly and in time, and a line is handed over only once it carries bytes.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <algorithm>
#include <string>

#include "frontend/lobby/lobby_client.h"
#include "tests/frontend/lobby/heard_events.h"
#include "tests/frontend/lobby/prosody_test.h"
#include "tests/frontend/lobby/raw_occupant.h"
#include "tests/frontend/spin_until.h"

using namespace lobby;

namespace {

struct Player : HeardEvents {
    LobbyClient client{*this};

    bool Settled(size_t lines) const { return All<RelayReady>().size() + All<RelayFailed>().size() >= lines; }
    // The descriptor of the one line this player holds, checked to be with
    // occupant; -1, with the failure recorded, when it holds no line.
    int OnlyLineWith(const QString& occupant) const {
        const std::vector<RelayFailed> failed = All<RelayFailed>();
        const std::vector<RelayReady> ready = All<RelayReady>();
        if (!failed.empty()) ADD_FAILURE() << failed[0].detail.toStdString();
        if (!failed.empty() || ready.size() != 1) {
            ADD_FAILURE() << ready.size() << " lines ready where one was expected";
            return -1;
        }
        EXPECT_EQ(ready[0].occupant, occupant);
        return ready[0].socket->Descriptor();
    }
};

// Writes out and reads back on both descriptors at once until each has
// received what the other sent; what each received.
std::pair<std::string, std::string> Exchange(int a, const std::string& fromA, int b, const std::string& fromB,
                                             int timeoutMs = 20000) {
    std::string gotA, gotB;
    size_t sentA = 0, sentB = 0;
    QElapsedTimer clock;
    clock.start();
    while ((gotA.size() < fromB.size() || gotB.size() < fromA.size()) && clock.elapsed() < timeoutMs) {
        pollfd fds[2] = {{a, short(POLLIN | (sentA < fromA.size() ? POLLOUT : 0)), 0},
                         {b, short(POLLIN | (sentB < fromB.size() ? POLLOUT : 0)), 0}};
        if (poll(fds, 2, 100) <= 0) continue;
        auto step = [](pollfd& p, const std::string& out, size_t& sent, std::string& got) {
            if ((p.revents & POLLOUT) && sent < out.size()) {
                const ssize_t n = send(p.fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
                if (n > 0) sent += static_cast<size_t>(n);
            }
            if (p.revents & POLLIN) {
                char buffer[8192];
                const ssize_t n = recv(p.fd, buffer, sizeof buffer, 0);
                if (n > 0) got.append(buffer, static_cast<size_t>(n));
            }
        };
        step(fds[0], fromA, sentA, gotA);
        step(fds[1], fromB, sentB, gotB);
    }
    return {gotA, gotB};
}

// Exactly size bytes from fd, or what came of them within the time.
std::string Receive(int fd, size_t size, int timeoutMs = 5000) {
    std::string got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < size && clock.elapsed() < timeoutMs) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char buffer[512];
        const ssize_t n = recv(fd, buffer, std::min(sizeof buffer, size - got.size()), 0);
        if (n <= 0) break;
        got.append(buffer, static_cast<size_t>(n));
    }
    return got;
}

std::string Pattern(size_t size, unsigned seed) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + seed * 7 + (i >> 9)) & 0xFF);
    return s;
}

class RelayTest : public ProsodyTest {
protected:
    bool SignIn(Player& p, const QString& nickname, int relayTimeoutMs = 10000) {
        LobbyServer lobby = server_.Lobby();
        lobby.relayTimeoutMs = relayTimeoutMs;
        return p.client.SignIn(lobby, nickname) &&
               SpinUntil([&] { return p.client.Status() != LobbyStatus::SigningIn; }) &&
               p.client.Status() == LobbyStatus::In;
    }

    // Ana in the lobby with her game listed, and Bob in to ask for a line.
    bool AnaListsAGameAndBobIsIn(Player& ana, Player& bob) {
        return SignIn(ana, QStringLiteral("Ana")) && ana.client.PublishGame(OpenGameOf(QStringLiteral("Ana"))) &&
               SignIn(bob, QStringLiteral("Bob"));
    }
};

}  // namespace

TEST_F(RelayTest, TwoPlayersAgreeALineAndBytesCrossItBothWaysIntact) {
    Player ana, bob;
    ASSERT_TRUE(AnaListsAGameAndBobIsIn(ana, bob));
    ASSERT_TRUE(bob.client.OfferRelay(QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return bob.Settled(1); }));
    const int bobFd = bob.OnlyLineWith(QStringLiteral("Ana"));
    ASSERT_GE(bobFd, 0);
    // Ana's side holds the line back until Bob has spoken on it.
    SpinFor(300);
    EXPECT_FALSE(ana.Settled(1));
    ASSERT_EQ(send(bobFd, "hello Ana", 9, MSG_NOSIGNAL), 9);
    ASSERT_TRUE(SpinUntil([&] { return ana.Settled(1); }));
    const int anaFd = ana.OnlyLineWith(QStringLiteral("Bob"));
    ASSERT_GE(anaFd, 0);
    // Bob's first words are still there for the game to read.
    EXPECT_EQ(Receive(anaFd, 9), "hello Ana");
    ASSERT_EQ(send(anaFd, "hello Bob", 9, MSG_NOSIGNAL), 9);
    EXPECT_EQ(Receive(bobFd, 9), "hello Bob");
    // Then a block far larger than any buffer on the way, both ways at once.
    const std::string fromAna = Pattern(96 * 1024, 1), fromBob = Pattern(96 * 1024, 2);
    QElapsedTimer clock;
    clock.start();
    auto [anaGot, bobGot] = Exchange(anaFd, fromAna, bobFd, fromBob);
    // The relay carries each way at most 32 kB/s on average (the shipped
    // limit), a second's worth at once: 96 kB take about two seconds.
    EXPECT_GE(clock.elapsed(), 1500);
    EXPECT_TRUE(anaGot == fromBob) << "Ana got " << anaGot.size() << " bytes of " << fromBob.size();
    EXPECT_TRUE(bobGot == fromAna) << "Bob got " << bobGot.size() << " bytes of " << fromAna.size();
    // The relay's own log shows the stream.
    EXPECT_TRUE(server_.Log().contains(QStringLiteral("Relayed stream"))) << server_.Log().toStdString();
}

TEST_F(RelayTest, AnOccupantThatNeverAnswersFailsTheLineAtItsTimeLimit) {
    Player bob;
    RawOccupants silent(server_.Lobby(), {"Cid"});
    ASSERT_TRUE(SpinUntil([&] { return silent.Joined() == 1; }));
    ASSERT_TRUE(SignIn(bob, QStringLiteral("Bob"), 1500));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(bob.client.OfferRelay(QStringLiteral("Cid")));
    ASSERT_TRUE(SpinUntil([&] { return bob.Settled(1); }));
    EXPECT_GE(clock.elapsed(), 1400);
    ASSERT_EQ(bob.All<RelayFailed>().size(), 1u);
    EXPECT_TRUE(bob.All<RelayFailed>()[0].detail.contains(QStringLiteral("did not answer in time")))
        << bob.All<RelayFailed>()[0].detail.toStdString();
}

TEST_F(RelayTest, AnOccupantListingNoGameRefusesAtOnce) {
    Player bob, cid;
    ASSERT_TRUE(SignIn(cid, QStringLiteral("Cid")));
    ASSERT_TRUE(SignIn(bob, QStringLiteral("Bob")));
    ASSERT_TRUE(bob.client.OfferRelay(QStringLiteral("Cid")));
    ASSERT_TRUE(SpinUntil([&] { return bob.Settled(1); }, 5000));
    ASSERT_EQ(bob.All<RelayFailed>().size(), 1u);
    EXPECT_TRUE(bob.All<RelayFailed>()[0].detail.contains(QStringLiteral("not-acceptable")))
        << bob.All<RelayFailed>()[0].detail.toStdString();
    EXPECT_TRUE(cid.All<RelayReady>().empty());
}

TEST_F(RelayTest, AForgedOfferNeverMakesTheHostConnectWhereTheOfferSays) {
    // Where a hostile occupant would send the host's connection.
    const int trap = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(trap, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(trap, 4), 0);
    ASSERT_EQ(getsockname(trap, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string port = std::to_string(ntohs(address.sin_port));

    Player ana;
    ASSERT_TRUE(SignIn(ana, QStringLiteral("Ana"), 1500));
    ASSERT_TRUE(ana.client.PublishGame(OpenGameOf(QStringLiteral("Ana"))));
    RawOccupants mallory(server_.Lobby(), {"Mal"});
    ASSERT_TRUE(SpinUntil([&] { return mallory.Joined() == 1; }));
    for (const char* jid : {"evil.localhost", "relay.localhost"}) {
        mallory.Send(0, std::string("<iq type='set' id='f1' to='%ROOM%/Ana'>"
                                    "<query xmlns='http://jabber.org/protocol/bytestreams' sid='s") +
                            jid[0] + "' mode='tcp'><streamhost jid='" + jid + "' host='127.0.0.1' port='" + port +
                            "'/><relay xmlns='urn:x-ringdisk:lobby:1' initiator='m@localhost/x'/></query></iq>");
    }
    // The foreign host is refused; the server's own relay is used at its
    // real address, where the made-up stream is never joined, and the line
    // that no one speaks on never reaches the game.
    ASSERT_TRUE(SpinUntil([&] { return ana.Settled(2); }));
    EXPECT_EQ(ana.All<RelayReady>().size(), 0u);
    ASSERT_EQ(ana.All<RelayFailed>().size(), 2u);
    EXPECT_TRUE(ana.All<RelayFailed>()[0].detail.contains(QStringLiteral("no relay of our lobby server")));
    EXPECT_TRUE(ana.All<RelayFailed>()[1].detail.contains(QStringLiteral("never used the line")))
        << ana.All<RelayFailed>()[1].detail.toStdString();
    pollfd p{trap, POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 200), 0) << "the host connected where the offer said";
    close(trap);
}

TEST_F(RelayTest, OnePlayerGetsNoMoreStreamsAtOnceThanTheServerAllows) {
    Player ana, bob;
    ASSERT_TRUE(AnaListsAGameAndBobIsIn(ana, bob));
    // The shipped configuration allows two.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(bob.client.OfferRelay(QStringLiteral("Ana")));
        ASSERT_TRUE(SpinUntil([&] { return bob.Settled(static_cast<size_t>(i) + 1); }));
    }
    EXPECT_EQ(bob.All<RelayReady>().size(), 2u);
    ASSERT_EQ(bob.All<RelayFailed>().size(), 1u);
    EXPECT_TRUE(bob.All<RelayFailed>()[0].detail.contains(QStringLiteral("resource-constraint")))
        << bob.All<RelayFailed>()[0].detail.toStdString();
}

namespace {

class RelaylessLobbyTest : public RelayTest {
protected:
    bool WithRelay() const override { return false; }
};

}  // namespace

TEST_F(RelaylessLobbyTest, AskingForALineSaysTheServerHasNoRelay) {
    Player ana, bob;
    ASSERT_TRUE(AnaListsAGameAndBobIsIn(ana, bob));
    ASSERT_TRUE(bob.client.OfferRelay(QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return bob.Settled(1); }, 5000));
    ASSERT_EQ(bob.All<RelayFailed>().size(), 1u);
    EXPECT_EQ(bob.All<RelayFailed>()[0].detail, QStringLiteral("the lobby server has no relay"));
    EXPECT_TRUE(ana.All<RelayReady>().empty());
}
