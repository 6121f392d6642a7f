// A join attempt that nobody answers ends, as a refused one does, after the
// link's time limit: here a listening socket whose backlog is full, so the
// kernel drops our SYNs and connect() would otherwise wait for minutes. A
// join that has another way to go (the lobby's relay) ends on its own,
// shorter limit and hands the failure to that way instead of the player.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <vector>

#include "frontend/net/network_link.h"
#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"
#include "tests/frontend/spin_until.h"

namespace {

struct ConnectWatcher : LinkListener {
    void OnClientMessages(int, const std::vector<QByteArray>&) override {}
    void OnClientConnectionError(int) override {}
    void OnHostMessages(const std::vector<QByteArray>&) override {}
    void OnConnectedToHost() override { ++connected; }
    void OnConnectFailed() override { ++failed; }
    void OnHostConnectionLost() override {}
    int connected = 0;
    int failed = 0;
};

// A port on 127.0.0.1 that takes no more connections; its sockets stay open.
struct SilentPort {
    SilentPort() {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener, 0);
        socklen_t length = sizeof address;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        // Fill the accept queue: later SYNs get no answer.
        std::vector<pollfd> connecting;
        for (int i = 0; i < 4; ++i) {
            const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
            fillers.push_back(s);
            connecting.push_back({s, POLLOUT, 0});
        }
        // The queue is full once a filler got in (the rest wait unanswered).
        ::poll(connecting.data(), connecting.size(), kSpinWaitMs);
    }
    ~SilentPort() {
        for (int s : fillers) ::close(s);
        ::close(listener);
    }
    int listener = -1;
    quint16 port = 0;
    std::vector<int> fillers;
};

TEST(ConnectTimeout, AnUnansweredAttemptFailsAfterTheLimit) {
    SilentPort silent;
    ConnectWatcher watcher;
    NetworkLink link(watcher);
    QElapsedTimer clock;
    clock.start();
    link.ConnectToHost("127.0.0.1", silent.port, 400);
    ASSERT_TRUE(SpinUntil([&] { return watcher.failed > 0; }, 5000));
    EXPECT_GE(clock.elapsed(), 350);
    EXPECT_EQ(watcher.connected, 0);
    SpinFor(600);
    EXPECT_EQ(watcher.failed, 1);  // told once
}

TEST(ConnectTimeout, AnAttemptAnsweredInTimeIsNotFailedLater) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    ConnectWatcher watcher;
    NetworkLink link(watcher);
    link.ConnectToHost("127.0.0.1", server.serverPort(), 300);
    ASSERT_TRUE(SpinUntil([&] { return watcher.connected > 0; }, 5000));
    SpinFor(500);
    EXPECT_EQ(watcher.failed, 0);
}

// A front end joining with a fallback, counting how often it was handed on.
struct JoinWithFallback {
    JoinWithFallback() : core(view, [](int) {}) {
        core.Online().SetLanguage(2);
        core.Start(false, 2);
    }
    ~JoinWithFallback() { core.Close({}); }
    bool Join(quint16 port, int limitMs, const QString& host = QStringLiteral("127.0.0.1")) {
        return core.Online().Join(host, QString::number(port), QString(),
                                  ConnectFallback{limitMs, [this] { ++handedOn; }});
    }
    HeadlessView view;
    FrontendCore core;
    int handedOn = 0;
};

TEST(ConnectTimeout, AnUnansweredJoinWithAFallbackEndsOnItsLimitAndTellsThePlayerNothing) {
    SilentPort silent;
    JoinWithFallback joiner;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(joiner.Join(silent.port, 400));
    EXPECT_TRUE(joiner.core.Online().IsConnecting());
    // Well before the link's own limit of many seconds.
    ASSERT_TRUE(SpinUntil([&] { return joiner.handedOn > 0; }, 5000));
    EXPECT_GE(clock.elapsed(), 350);
    EXPECT_EQ(joiner.core.Online().State(), Session::Offline);
    EXPECT_TRUE(joiner.view.messages.isEmpty()) << joiner.view.messages.join('|').toStdString();
    SpinFor(600);
    EXPECT_EQ(joiner.handedOn, 1);
}

TEST(ConnectTimeout, AJoinWithAFallbackSpendsItsLimitOnTheNamesLookUpToo) {
    JoinWithFallback joiner;
    // A name server that never answers: the look-up alone would wait its
    // own limit of seconds.
    joiner.core.Online().SetHostResolver([](const QString&, QObject*, auto) {});
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(joiner.Join(2500, 400, QStringLiteral("host.example")));
    ASSERT_TRUE(SpinUntil([&] { return joiner.handedOn > 0; }, 5000));
    EXPECT_GE(clock.elapsed(), 350);
    EXPECT_LT(clock.elapsed(), HostLookup::kTimeLimitMs);
    EXPECT_EQ(joiner.core.Online().State(), Session::Offline);
    EXPECT_TRUE(joiner.view.messages.isEmpty()) << joiner.view.messages.join('|').toStdString();
    SpinFor(600);
    EXPECT_EQ(joiner.handedOn, 1);
}

TEST(ConnectTimeout, ARefusedJoinGoesToItsFallbackOnceAndAPlainJoinIsToldAsBefore) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();  // nothing listens there now

    JoinWithFallback joiner;
    ASSERT_TRUE(joiner.Join(port, 3000));
    ASSERT_TRUE(SpinUntil([&] { return joiner.handedOn > 0; }, 5000));
    EXPECT_TRUE(joiner.view.messages.isEmpty());

    // The next join, without a fallback, is told to the player: the
    // fallback of the one before is not kept.
    ASSERT_TRUE(joiner.core.Online().Join("127.0.0.1", QString::number(port), QString()));
    ASSERT_TRUE(SpinUntil([&] { return !joiner.view.messages.isEmpty(); }, 5000));
    EXPECT_EQ(joiner.view.messages[0], Tr(UiText::ConnectionFailed, 2));
    EXPECT_EQ(joiner.handedOn, 1);
}

TEST(ConnectTimeout, AJoinLeftWhileConnectingNeverReachesItsFallback) {
    SilentPort silent;
    JoinWithFallback joiner;
    ASSERT_TRUE(joiner.Join(silent.port, 300));
    joiner.core.Online().LeaveGame(true);
    SpinFor(700);
    EXPECT_EQ(joiner.handedOn, 0);
    EXPECT_EQ(joiner.core.Online().State(), Session::Offline);
}

}  // namespace
