// A whole relayed join on a real Prosody on loopback: a host core lists its
// game, a player's lobby client asks for a line through the server's relay,
// the host hands its end to the game, and the player on the other end logs
// in and is seated as over a direct connection.
#include <gtest/gtest.h>

#include <QTcpSocket>

#include "frontend/lobby/lobby_client.h"
#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"
#include "frontend/wire/frame_codec.h"
#include "tests/frontend/lobby/heard_events.h"
#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/spin_until.h"

using namespace lobby;

namespace {

// The player's end of the relayed line as the game's client reads it.
struct PlayerLine {
    QTcpSocket socket;
    FrameAssembler frames;
    std::vector<QByteArray> received;

    bool Take(int fd) {
        if (!socket.setSocketDescriptor(fd)) return false;
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            for (QByteArray& m : frames.Feed(socket.readAll())) received.push_back(m);
        });
        return true;
    }
    void Send(const QByteArray& message) {
        socket.write(MakeFrame(message));
        socket.flush();
    }
    bool WaitFor(const QByteArray& message) {
        return SpinUntil([&] { return std::find(received.begin(), received.end(), message) != received.end(); });
    }
};

struct Lines : LobbyListener {
    LobbyClient client{*this};
    std::vector<RelayReady> ready;
    std::vector<RelayFailed> failed;
    void LobbyReport(const LobbyEvent& event) override {
        if (const auto* r = std::get_if<RelayReady>(&event)) ready.push_back(*r);
        if (const auto* f = std::get_if<RelayFailed>(&event)) failed.push_back(*f);
    }
};

bool ChatShows(const HeadlessView& view, const QString& text) {
    for (const ChatLine& line : view.chatLines)
        if (HeadlessView::PlainText(line) == text) return true;
    return false;
}

}  // namespace

TEST(RelayedHost, APlayerJoinsAHostedGameThroughTheRelayAndIsSeated) {
    if (!ProsodyServer::Installed()) GTEST_SKIP() << "prosody or openssl is not installed";
    ProsodyServer server;
    ASSERT_TRUE(server.Start()) << server.Problem().toStdString();

    HeadlessView view;
    FrontendCore core(view, [](int) {});
    core.Online().SetNickname("Ana");
    core.Loop().SetMinimumTickMs(0);
    core.Start(false, 2);
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));

    Lines ana, bob;
    ASSERT_TRUE(ana.client.SignIn(server.Lobby(), QStringLiteral("Ana")));
    ASSERT_TRUE(ana.client.PublishGame(OpenGameOf(QStringLiteral("Ana"))));
    ASSERT_TRUE(bob.client.SignIn(server.Lobby(), QStringLiteral("Bob")));
    ASSERT_TRUE(SpinUntil([&] {
        return ana.client.Status() == LobbyStatus::In && bob.client.Status() == LobbyStatus::In;
    }));
    ASSERT_TRUE(bob.client.OfferRelay(QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return bob.ready.size() == 1 || !bob.failed.empty(); }));
    ASSERT_TRUE(bob.failed.empty()) << bob.failed[0].detail.toStdString();
    // The joiner speaks first, as over a direct line; the host's end comes
    // with the login waiting in it.
    PlayerLine line;
    ASSERT_TRUE(line.Take(bob.ready[0].socket->Take()));
    line.Send("NICK:Bob,");
    ASSERT_TRUE(SpinUntil([&] { return ana.ready.size() == 1 || !ana.failed.empty(); }));
    ASSERT_TRUE(ana.failed.empty()) << ana.failed[0].detail.toStdString();
    ASSERT_TRUE(core.Online().AdoptRelayedLine(ana.ready[0].socket->Take()));
    ASSERT_TRUE(line.WaitFor("IDJG:2"));
    EXPECT_TRUE(line.WaitFor("ENT2:Ana,1,0"));
    EXPECT_TRUE(SpinUntil([&] { return ChatShows(view, "Bob has entered in the chat!"); }));
    EXPECT_EQ(view.slotLabels[2], "Bob (via the lobby's relay)");
    core.Close({});
}
