// Joining by host name or IPv6 address: what the address field accepts, a
// host reachable over both address families, look-ups that fail or hang
// without holding up the window, and a name whose first address refuses.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>

#include "frontend/net/join_address.h"
#include "frontend/session/online_game.h"
#include "frontend/view/headless_view.h"
#include "raw_connection.h"
#include "recording_library.h"

namespace {

TEST(JoinAddress, TakesAddressesOfBothFamiliesAndHostNamesAndRefusesTheRest) {
    EXPECT_EQ(NormalizeJoinAddress(" 127.0.0.1 "), "127.0.0.1");
    EXPECT_EQ(NormalizeJoinAddress("::1"), "::1");
    EXPECT_EQ(NormalizeJoinAddress(" [2001:db8::7] "), "2001:db8::7");
    EXPECT_EQ(NormalizeJoinAddress("fe80::1%lo"), "fe80::1%lo");
    EXPECT_EQ(NormalizeJoinAddress("localhost"), "localhost");
    EXPECT_EQ(NormalizeJoinAddress("mesa-7.example.org"), "mesa-7.example.org");
    EXPECT_EQ(NormalizeJoinAddress("1.2.3.a"), "1.2.3.a");  // a name, for the resolver to judge

    // A mistyped IPv4 address is not sent to the resolver as a name.
    EXPECT_FALSE(NormalizeJoinAddress("999.1.2.3"));
    EXPECT_FALSE(NormalizeJoinAddress("1.2.3.4.5"));
    EXPECT_FALSE(NormalizeJoinAddress(""));
    EXPECT_FALSE(NormalizeJoinAddress("mesa 7"));
    EXPECT_FALSE(NormalizeJoinAddress("a..b"));
    EXPECT_FALSE(NormalizeJoinAddress("-mesa.org"));
    EXPECT_FALSE(NormalizeJoinAddress("mesa_7"));
    EXPECT_FALSE(NormalizeJoinAddress("2001:db8::7:"));
    EXPECT_FALSE(NormalizeJoinAddress(QString(254, u'a')));
    EXPECT_FALSE(NormalizeJoinAddress(QString(64, u'a') + ".org"));
}

bool HasIpv6Loopback() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHostIPv6, 0);
}

// A host and a client, each a whole online game over the recording library,
// in this process.
class JoinByName : public ::testing::Test {
protected:
    JoinByName()
        : hostChat(hostView, [](int) {}),
          host(hostView, hostChat, hostQueue, hostLibrary),
          clientChat(clientView, [](int) {}),
          client(clientView, clientChat, clientQueue, clientLibrary) {
        host.SetNickname("Ana");
        client.SetNickname("Bob");
        client.SetLanguage(1);
    }
    QString Port() const { return QString::number(host.ListeningPort()); }
    bool Seated() {
        return SpinUntil([&] { return client.MySlot() == 2 && hostView.slotLabels[2] == "Bob"; });
    }

    HeadlessView hostView;
    EventQueue hostQueue;
    ChatDisplay hostChat;
    RecordingLibrary hostLibrary;
    OnlineGame host;
    HeadlessView clientView;
    EventQueue clientQueue;
    ChatDisplay clientChat;
    RecordingLibrary clientLibrary;
    OnlineGame client;
};

TEST_F(JoinByName, TheHostIsReachedOverIpv4AndIpv6Alike) {
    if (!HasIpv6Loopback()) GTEST_SKIP() << "this system has no IPv6 loopback";
    ASSERT_TRUE(host.HostOnPort(0, ""));
    RawConnection overIpv4(host.ListeningPort());
    RawConnection overIpv6(host.ListeningPort(), QHostAddress(QHostAddress::LocalHostIPv6));
    ASSERT_TRUE(overIpv4.Connected());
    ASSERT_TRUE(overIpv6.Connected());
    overIpv6.Send("NICK:Six,");
    EXPECT_TRUE(overIpv6.WaitFor("IDJG:2"));
    overIpv4.Send("NICK:Four,");
    EXPECT_TRUE(overIpv4.WaitFor("IDJG:3"));
    EXPECT_TRUE(overIpv6.WaitFor("ENTR:Four,3"));
}

TEST_F(JoinByName, AClientJoinsByIpv6AddressAndBySystemName) {
    if (!HasIpv6Loopback()) GTEST_SKIP() << "this system has no IPv6 loopback";
    ASSERT_TRUE(host.HostOnPort(0, ""));
    ASSERT_TRUE(client.Join("[::1]", Port(), ""));
    ASSERT_TRUE(Seated());
    client.LeaveGame(false);
    ASSERT_TRUE(SpinUntil([&] { return hostView.slotLabels[2] != "Bob"; }));

    // "localhost" comes from the system's own hosts file: no name server.
    ASSERT_TRUE(client.Join("localhost", Port(), ""));
    EXPECT_TRUE(Seated());
    EXPECT_TRUE(clientView.messages.isEmpty());
}

TEST_F(JoinByName, ANameWithoutAddressesIsToldAsNotFound) {
    QString asked;
    client.SetHostResolver([&](const QString& name, QObject*, auto done) {
        asked = name;
        done({});
    });
    ASSERT_TRUE(client.Join(" mesa.example.org ", "2500", ""));
    EXPECT_EQ(asked, "mesa.example.org");
    EXPECT_EQ(clientView.messages,
              QStringList{QString::fromUtf8(
                  "Servidor não encontrado. Confira o nome ou o endereço digitado.")});
    EXPECT_FALSE(client.IsConnecting());
    EXPECT_FALSE(client.IsOnline());
    EXPECT_FALSE(clientView.connecting);
}

TEST_F(JoinByName, ALookUpThatHangsNeitherBlocksTheWindowNorOutlivesItsLimit) {
    std::function<void(const QList<QHostAddress>&)> lateAnswer;
    client.SetHostResolver([&](const QString&, QObject*, auto done) { lateAnswer = done; }, 300);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(client.Join("mesa.example.org", "2500", ""));
    EXPECT_LT(clock.elapsed(), 100);  // the window went on at once
    EXPECT_TRUE(client.IsConnecting());
    EXPECT_TRUE(clientView.connecting);
    ASSERT_TRUE(SpinUntil([&] { return !clientView.messages.isEmpty(); }, 5000));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_EQ(clientView.messages.front(),
              QString::fromUtf8("O nome do servidor não pôde ser consultado a tempo. Confira a "
                                "sua conexão ou digite o IP."));
    EXPECT_FALSE(client.IsConnecting());

    // The answer that comes after the limit changes nothing.
    ASSERT_TRUE(lateAnswer);
    lateAnswer({QHostAddress(QHostAddress::LocalHost)});
    SpinFor(100);
    EXPECT_FALSE(client.IsConnecting());
    EXPECT_EQ(clientView.messages.size(), 1);
}

TEST_F(JoinByName, TheAddressesOfANameAreTriedInTurnUntilOneAnswers) {
    if (!HasIpv6Loopback()) GTEST_SKIP() << "this system has no IPv6 loopback";
    QTcpServer ipv4Only;  // nothing listens on ::1 at this port: refused
    ASSERT_TRUE(ipv4Only.listen(QHostAddress::LocalHost, 0));
    client.SetHostResolver([](const QString&, QObject*, auto done) {
        done({QHostAddress(QHostAddress::LocalHostIPv6), QHostAddress(QHostAddress::LocalHost)});
    });
    ASSERT_TRUE(client.Join("mesa.example.org", QString::number(ipv4Only.serverPort()), ""));
    ASSERT_TRUE(SpinUntil([&] { return ipv4Only.hasPendingConnections(); }));
    EXPECT_TRUE(SpinUntil([&] { return client.IsOnline(); }));
    EXPECT_TRUE(clientView.messages.isEmpty());
}

}  // namespace
