// Asking the home router for the hosted game's port, over stand-in routers
// that answer as told: which protocol forwards it, the renewal of its lease,
// its removal when the game ends and when the mapper goes, and what the
// host and the create dialog are told in each language. (The real routers
// are in tests/frontend/router.)
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>

#include "frontend/router/port_forwarding.h"
#include "frontend/router/port_mapper.h"
#include "frontend/view/headless_view.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/spin_until.h"

namespace {

// One stand-in router: what it answers, and what it was asked. Shared with
// the mapper's worker thread.
struct FakeRouter {
    std::atomic<bool> answers{true};
    std::atomic<bool> forwards{true};
    std::atomic<int> leaseGranted{3600};
    std::atomic<int> findDelayMs{0};
    std::atomic<int> finds{0}, maps{0}, unmaps{0};
    QString external = QStringLiteral("203.0.113.5");

    bool Forwarding(quint16 port) {
        std::lock_guard lock(mutex);
        return open.count(port) != 0;
    }
    std::mutex mutex;
    std::set<quint16> open;
};

class FakeProtocol : public RouterProtocol {
public:
    FakeProtocol(const char* name, std::shared_ptr<FakeRouter> router)
        : name_(name), r_(std::move(router)) {}
    const char* Name() const override { return name_; }
    bool Find() override {
        ++r_->finds;
        std::this_thread::sleep_for(std::chrono::milliseconds(r_->findDelayMs.load()));
        found_ = r_->answers;
        return found_;
    }
    QString ExternalAddress() const override { return r_->external; }
    QString LocalAddress() const override { return QStringLiteral("192.0.2.10"); }
    std::optional<int> Map(quint16 port, int) override {
        ++r_->maps;
        std::lock_guard lock(r_->mutex);
        if (!found_ || !r_->forwards) {
            r_->open.erase(port);  // a router that refuses forwards nothing
            return std::nullopt;
        }
        r_->open.insert(port);
        return r_->leaseGranted.load();
    }
    bool Unmap(quint16 port) override {
        ++r_->unmaps;
        std::lock_guard lock(r_->mutex);
        return r_->open.erase(port) != 0;
    }

private:
    const char* name_;
    std::shared_ptr<FakeRouter> r_;
    bool found_ = false;
};

class PortMapping : public ::testing::Test {
protected:
    RouterProtocols Protocols() {
        return [upnp = upnp, natpmp = natpmp] {
            std::vector<std::unique_ptr<RouterProtocol>> protocols;
            protocols.push_back(std::make_unique<FakeProtocol>("UPnP", upnp));
            protocols.push_back(std::make_unique<FakeProtocol>("NAT-PMP", natpmp));
            return protocols;
        };
    }
    std::unique_ptr<PortMapper> Mapper() {
        return std::make_unique<PortMapper>(
            [this](const RouterReport& report) { reports.push_back(report); }, Protocols());
    }
    bool Reported(RouterReport::Kind kind) {
        return SpinUntil([&] {
            return std::any_of(reports.begin(), reports.end(),
                               [&](const RouterReport& r) { return r.kind == kind; });
        });
    }

    std::shared_ptr<FakeRouter> upnp = std::make_shared<FakeRouter>();
    std::shared_ptr<FakeRouter> natpmp = std::make_shared<FakeRouter>();
    std::vector<RouterReport> reports;
};

TEST_F(PortMapping, UpnpForwardsThePortAndNatPmpIsNotAskedWhileItDoes) {
    auto mapper = Mapper();
    mapper->Map(2500);
    ASSERT_TRUE(Reported(RouterReport::Kind::Mapped));
    const RouterReport& r = reports.back();
    EXPECT_EQ(r.method, "UPnP");
    EXPECT_EQ(r.externalAddress, "203.0.113.5");
    EXPECT_EQ(r.localAddress, "192.0.2.10");
    EXPECT_EQ(r.port, 2500);
    EXPECT_EQ(r.leaseSeconds, 3600);
    EXPECT_FALSE(r.renewal);
    EXPECT_TRUE(upnp->Forwarding(2500));
    EXPECT_EQ(natpmp->finds, 0);
}

TEST_F(PortMapping, NatPmpIsAskedWhenNoUpnpRouterAnswersOrItRefuses) {
    upnp->answers = false;
    auto mapper = Mapper();
    mapper->Map(2500);
    ASSERT_TRUE(Reported(RouterReport::Kind::Mapped));
    EXPECT_EQ(reports.back().method, "NAT-PMP");
    EXPECT_TRUE(natpmp->Forwarding(2500));

    reports.clear();
    upnp->answers = true;
    upnp->forwards = false;
    auto second = std::make_shared<FakeRouter>();
    natpmp = second;
    auto refused = Mapper();
    refused->Map(2600);
    ASSERT_TRUE(Reported(RouterReport::Kind::Mapped));
    EXPECT_EQ(reports.back().method, "NAT-PMP");
    EXPECT_EQ(upnp->maps, 1);
    EXPECT_TRUE(second->Forwarding(2600));
}

TEST_F(PortMapping, WhenNoRouterForwardsThePortTheReportSaysSoWithThisMachinesAddress) {
    upnp->forwards = false;
    natpmp->answers = false;
    auto mapper = Mapper();
    mapper->Map(2500);
    ASSERT_TRUE(Reported(RouterReport::Kind::NotMapped));
    EXPECT_EQ(reports.back().port, 2500);
    EXPECT_TRUE(reports.back().method.isEmpty());
    EXPECT_FALSE(reports.back().localAddress.isEmpty());
    EXPECT_FALSE(upnp->Forwarding(2500));
}

TEST_F(PortMapping, ALeaseIsRenewedAtHalfItsLength) {
    upnp->leaseGranted = 2;
    auto mapper = Mapper();
    mapper->Map(2500);
    ASSERT_TRUE(Reported(RouterReport::Kind::Mapped));
    SpinFor(600);
    EXPECT_EQ(upnp->maps, 1) << "renewed long before half the lease";
    ASSERT_TRUE(SpinUntil([&] { return upnp->maps >= 2; }, 3000));
    ASSERT_TRUE(SpinUntil([&] { return reports.size() >= 2; }, 3000));
    EXPECT_TRUE(reports.back().renewal);
    // The router that answered is asked again without a new search.
    EXPECT_EQ(upnp->finds, 1);
}

TEST_F(PortMapping, ARenewalTheRouterRefusesIsTriedAgainUntilItForwardsAgain) {
    upnp->leaseGranted = 2;
    natpmp->answers = false;
    auto mapper = Mapper();
    mapper->Map(2500);
    ASSERT_TRUE(Reported(RouterReport::Kind::Mapped));
    upnp->forwards = false;  // the router restarted and forgot
    ASSERT_TRUE(Reported(RouterReport::Kind::NotMapped));
    EXPECT_TRUE(reports.back().renewal);
    const int asked = upnp->maps;
    upnp->forwards = true;
    ASSERT_TRUE(SpinUntil([&] { return upnp->Forwarding(2500); }, 3000));
    EXPECT_GT(upnp->maps, asked);
    ASSERT_TRUE(SpinUntil([&] { return reports.back().kind == RouterReport::Kind::Mapped; }));
    EXPECT_TRUE(reports.back().renewal);
}

TEST_F(PortMapping, LeavingRemovesTheForwardingAndSoDoesTheMapperGoingAway) {
    auto mapper = Mapper();
    mapper->Map(2500);
    ASSERT_TRUE(Reported(RouterReport::Kind::Mapped));
    mapper->Unmap();
    ASSERT_TRUE(Reported(RouterReport::Kind::Removed));
    EXPECT_FALSE(upnp->Forwarding(2500));

    mapper->Map(2501);
    ASSERT_TRUE(SpinUntil([&] { return upnp->Forwarding(2501); }));
    mapper.reset();  // the program ends while hosting
    EXPECT_FALSE(upnp->Forwarding(2501));
    EXPECT_EQ(upnp->unmaps, 2);
}

TEST_F(PortMapping, AnAnswerThatComesAfterTheGameEndedIsNotReportedAndThePortIsRemoved) {
    upnp->findDelayMs = 300;
    auto mapper = Mapper();
    mapper->Map(2500);
    mapper->Unmap();  // before the router answered
    ASSERT_TRUE(SpinUntil([&] { return upnp->unmaps == 1; }));
    SpinFor(100);
    EXPECT_FALSE(upnp->Forwarding(2500));
    for (const RouterReport& r : reports) EXPECT_NE(r.kind, RouterReport::Kind::Mapped);
}

TEST_F(PortMapping, TheRouterFoundForTheDialogForwardsWithoutASecondSearch) {
    auto mapper = Mapper();
    mapper->LookForRouter();
    ASSERT_TRUE(Reported(RouterReport::Kind::Found));
    EXPECT_EQ(reports.back().externalAddress, "203.0.113.5");
    mapper->Map(2500);
    ASSERT_TRUE(Reported(RouterReport::Kind::Mapped));
    EXPECT_EQ(upnp->finds, 1);

    upnp->answers = natpmp->answers = false;
    reports.clear();
    mapper->LookForRouter();
    ASSERT_TRUE(Reported(RouterReport::Kind::NotFound));
    EXPECT_TRUE(reports.back().externalAddress.isEmpty());
}

// ---- what the host and the dialog are told ---------------------------------------------

TEST(PortForwardingAddresses, OnlyAddressesOfNoPrivateNetworkCountAsTheInternets) {
    for (const char* inside :
         {"10.1.2.3", "172.16.0.1", "172.31.255.254", "192.168.1.1", "100.64.0.1",
          "100.127.255.254", "169.254.3.4", "127.0.0.1", "0.0.0.0", "", "nonsense", "2001:db8::1"})
        EXPECT_FALSE(IsInternetAddress(inside)) << inside;
    for (const char* outside : {"8.8.8.8", "172.15.255.255", "172.32.0.1", "100.63.255.255",
                                "100.128.0.1", "198.51.100.1", "203.0.113.5"})
        EXPECT_TRUE(IsInternetAddress(outside)) << outside;
}

TEST(PortForwardingAddresses, TheDialogShowsTheExternalAddressAndTheLocalOneUnderIt) {
    RouterReport found;
    found.kind = RouterReport::Kind::Found;
    found.externalAddress = "198.51.100.1";
    found.localAddress = "192.0.2.10";
    const OwnAddressLines lines = AddressLinesFor(found, 1);
    EXPECT_EQ(lines.address, "198.51.100.1");
    EXPECT_EQ(lines.note, "Na rede local: 192.0.2.10");

    RouterReport none;
    none.kind = RouterReport::Kind::NotFound;
    none.localAddress = "192.0.2.10";
    const OwnAddressLines alone = AddressLinesFor(none, 2);
    EXPECT_EQ(alone.address, "192.0.2.10");
    EXPECT_EQ(alone.note,
              "No router answered; friends on the internet need the port forwarded by hand.");
}

class NoLink : public LinkListener {
    void OnClientMessages(int, const std::vector<QByteArray>&) override {}
    void OnClientConnectionError(int) override {}
    void OnHostMessages(const std::vector<QByteArray>&) override {}
    void OnConnectedToHost() override {}
    void OnConnectFailed() override {}
    void OnHostConnectionLost() override {}
};

class HostTold : public PortMapping {
protected:
    std::unique_ptr<PortForwarding> Forwarding(int language) {
        context.uiLanguage = language;
        auto forwarding = std::make_unique<PortForwarding>(context, Protocols());
        forwarding->SetEnabled(true);
        return forwarding;
    }
    // The chat's last line, when it is one bold red run.
    QString SystemLine() {
        if (!SpinUntil([&] { return !view.chatLines.empty(); })) return "(nothing)";
        const ChatLine& line = view.chatLines.back();
        if (line.size() != 1 || line[0].rgb != 0xFF0000 || !line[0].bold)
            return "(not a system line)";
        return line[0].text;
    }

    HeadlessView view;
    ChatDisplay chat{view, [](int) {}};
    EventQueue queue;
    RecordingLibrary library;
    NoLink listener;
    NetworkLink link{listener};
    OnlineContext context{view, chat, queue, library, library, link};
};

TEST_F(HostTold, WhereFriendsJoinInThePlayersLanguage) {
    const auto forwarding = Forwarding(1);
    forwarding->Start(2500);
    EXPECT_EQ(SystemLine(),
              "Seus amigos pela internet podem entrar em 203.0.113.5:2500 (porta aberta no "
              "roteador por UPnP).");
}

TEST_F(HostTold, WhichPortToForwardByHandWhenNoRouterDid) {
    upnp->answers = natpmp->answers = false;
    const auto forwarding = Forwarding(3);
    forwarding->Start(2600);
    const QString line = SystemLine();
    EXPECT_TRUE(
        line.startsWith("El router no abrió la puerta. Para jugar con amigos por internet, "
                        "redirija en el router la puerta TCP 2600 a "))
        << line.toStdString();
}

TEST_F(HostTold, ThatARouterBehindAnotherNetworkMayNotLetFriendsIn) {
    upnp->external = "100.64.7.8";
    const auto forwarding = Forwarding(2);
    forwarding->Start(2500);
    EXPECT_EQ(SystemLine(),
              "The router opened port 2500, but its external address (100.64.7.8) is not an "
              "internet one: another network lies between it and the internet, and friends "
              "outside may not get in.");
}

TEST_F(HostTold, AForwardingLostAtARenewalAndRegainedIsToldButPlainRenewalsAreNot) {
    upnp->leaseGranted = 2;
    natpmp->answers = false;
    const auto forwarding = Forwarding(2);
    forwarding->Start(2500);
    ASSERT_TRUE(SpinUntil([&] { return view.chatLines.size() == 1; }));
    ASSERT_TRUE(SpinUntil([&] { return upnp->maps >= 2; }, 3000));  // renewed
    SpinFor(100);
    EXPECT_EQ(view.chatLines.size(), 1u);
    upnp->forwards = false;
    ASSERT_TRUE(SpinUntil([&] { return view.chatLines.size() == 2; }, 3000));
    EXPECT_TRUE(SystemLine().startsWith("The router did not open the port."));
    upnp->forwards = true;
    ASSERT_TRUE(SpinUntil([&] { return view.chatLines.size() == 3; }, 3000));
    EXPECT_TRUE(SystemLine().startsWith("Friends on the internet can join at 203.0.113.5:2500"));
}

TEST_F(HostTold, NothingWhenTheOptionIsOffAndTurningItOffRemovesTheForwarding) {
    auto forwarding = Forwarding(2);
    forwarding->SetEnabled(false);
    forwarding->LookForRouter();
    forwarding->Start(2500);
    SpinFor(200);
    EXPECT_EQ(upnp->finds, 0);
    EXPECT_TRUE(view.chatLines.empty());

    forwarding->SetEnabled(true);
    forwarding->Start(2500);
    ASSERT_TRUE(SpinUntil([&] { return upnp->Forwarding(2500); }));
    forwarding->SetEnabled(false);
    EXPECT_TRUE(SpinUntil([&] { return !upnp->Forwarding(2500); }));
}

}  // namespace

// What the lobby tells a player who asks where to join: the router's address
// and port only while the router forwards it to an address on the internet.
TEST_F(HostTold, TheForwardedAddressIsKnownOnlyWhileTheRouterForwardsToTheInternet) {
    upnp->leaseGranted = 2;
    natpmp->answers = false;
    const auto forwarding = Forwarding(2);
    EXPECT_FALSE(forwarding->Forwarded().has_value());
    forwarding->Start(2500);
    ASSERT_TRUE(SpinUntil([&] { return forwarding->Forwarded().has_value(); }));
    EXPECT_EQ(*forwarding->Forwarded(), (ForwardedPort{"203.0.113.5", 2500}));

    upnp->forwards = false;  // the renewal is refused
    ASSERT_TRUE(SpinUntil([&] { return !forwarding->Forwarded().has_value(); }, 3000));
    upnp->forwards = true;
    ASSERT_TRUE(SpinUntil([&] { return forwarding->Forwarded().has_value(); }, 3000));
    forwarding->Stop();
    EXPECT_FALSE(forwarding->Forwarded().has_value());
    forwarding->Start(2501);
    ASSERT_TRUE(SpinUntil([&] { return forwarding->Forwarded().has_value(); }));
    forwarding->SetEnabled(false);
    EXPECT_FALSE(forwarding->Forwarded().has_value());
}

TEST_F(HostTold, ARouterBehindAnotherPrivateNetworkGivesNoAddressToAnswerWith) {
    upnp->external = "100.64.7.8";
    const auto forwarding = Forwarding(2);
    forwarding->Start(2500);
    ASSERT_TRUE(SpinUntil([&] { return !view.chatLines.empty(); }));
    EXPECT_FALSE(forwarding->Forwarded().has_value());
}
