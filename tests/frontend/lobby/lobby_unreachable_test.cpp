// A lobby that is not there or never answers: the caller is never held up,
// and a clear report comes within a bounded time. And which servers must
// encrypt.
#include <gtest/gtest.h>
#include <strophe.h>

#include <QElapsedTimer>

#include "frontend/lobby/lobby_client.h"
#include "frontend/lobby/room_stanzas.h"
#include "tests/frontend/lobby/heard_events.h"
#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/loopback_listener.h"
#include "tests/frontend/spin_until.h"

using namespace lobby;

namespace {

using Listener = HeardEvents;

// A port that takes connections (the kernel completes them) and never says
// a word.
struct SilentPort : LoopbackListener {
    SilentPort() : LoopbackListener(8) {}
};

LobbyServer LoopbackLobby(uint16_t port, int timeoutMs) {
    LobbyServer server = LobbyServerAt(QStringLiteral("localhost"));
    server.connectHost = QStringLiteral("127.0.0.1");
    server.port = port;
    server.signInTimeoutMs = timeoutMs;
    return server;
}

const Failure* OnlyFailure(const Listener& l) {
    return l.heard.size() == 1 ? std::get_if<Failure>(&l.heard[0]) : nullptr;
}

}  // namespace

TEST(LobbyUnreachable, ASilentServerIsReportedAfterTheSignInTimeAndNeverHoldsTheCaller) {
    SilentPort silent;
    Listener listener;
    LobbyClient client(listener);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(client.SignIn(LoopbackLobby(silent.Port(), 1500), QStringLiteral("Ana")));
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_EQ(client.Status(), LobbyStatus::SigningIn);
    ASSERT_TRUE(SpinUntil([&] { return !listener.heard.empty(); }, 4000));
    EXPECT_GE(clock.elapsed(), 1400);
    ASSERT_TRUE(OnlyFailure(listener));
    EXPECT_EQ(OnlyFailure(listener)->kind, FailureKind::NoAnswer);
    EXPECT_EQ(client.Status(), LobbyStatus::Out);
}

TEST(LobbyUnreachable, SigningOutWhileWaitingOnASilentServerIsQuickAndReportsNothing) {
    SilentPort silent;
    Listener listener;
    QElapsedTimer clock;
    {
        LobbyClient client(listener);
        ASSERT_TRUE(client.SignIn(LoopbackLobby(silent.Port(), 10000), QStringLiteral("Ana")));
        SpinFor(200);
        clock.start();
        client.SignOut();
        EXPECT_LT(clock.elapsed(), 400);
        SpinFor(300);
    }
    EXPECT_TRUE(listener.heard.empty());
}

TEST(LobbyUnreachable, NoServerAtThePortIsReportedAsUnreachable) {
    Listener listener;
    LobbyClient client(listener);
    ASSERT_TRUE(client.SignIn(LoopbackLobby(FreeLoopbackPort(), 10000), QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return !listener.heard.empty(); }, 3000));
    ASSERT_TRUE(OnlyFailure(listener));
    EXPECT_EQ(OnlyFailure(listener)->kind, FailureKind::Unreachable);
}

TEST(LobbyUnreachable, ANicknameNoListCouldShowIsNotSentAtAll) {
    Listener listener;
    LobbyClient client(listener);
    EXPECT_FALSE(client.SignIn(LoopbackLobby(FreeLoopbackPort(), 1000), QStringLiteral("Ana\nBob")));
    EXPECT_FALSE(client.SignIn(LoopbackLobby(FreeLoopbackPort(), 1000), QString(kMaxNicknameChars + 1, 'a')));
    EXPECT_EQ(client.Status(), LobbyStatus::Out);
}

TEST(LobbyServerSecurity, OnlyAServerOnThisMachineMayBeReachedWithoutEncryption) {
    for (const char* host : {"localhost", "127.0.0.1", "127.8.9.10", "::1", "::ffff:127.0.0.1"})
        EXPECT_TRUE(IsLoopbackHost(QString::fromLatin1(host))) << host;
    for (const char* host : {"lobby.example.org", "192.0.2.1", "::", "0.0.0.0", "localhost.example.org", "128.0.0.1",
                             "::ffff:192.0.2.1", ""})
        EXPECT_FALSE(IsLoopbackHost(QString::fromLatin1(host))) << host;

    EXPECT_EQ(ConnectionFlags(LobbyServerAt(QStringLiteral("lobby.example.org"))), XMPP_CONN_FLAG_MANDATORY_TLS);
    LobbyServer viaLoopback = LobbyServerAt(QStringLiteral("lobby.example.org"));
    viaLoopback.connectHost = QStringLiteral("127.0.0.1");
    EXPECT_EQ(ConnectionFlags(viaLoopback), 0);
    LobbyServer named = LobbyServerAt(QStringLiteral("localhost"));
    named.connectHost = QStringLiteral("198.51.100.4");
    EXPECT_EQ(ConnectionFlags(named), XMPP_CONN_FLAG_MANDATORY_TLS);
    // TLS is never turned off.
    EXPECT_EQ(ConnectionFlags(viaLoopback) & XMPP_CONN_FLAG_DISABLE_TLS, 0);
}
