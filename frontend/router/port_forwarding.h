// The game's use of the port mapper: while this machine hosts a game opened
// by the create dialog, the router forwards its port, and the chat tells the
// host in the player's language where friends on the internet can join, or
// which port to forward by hand. The create dialog asks it where the router
// is, to show the address friends type. A forwarding lost or regained at a
// renewal is told as well. The menus' option turns it off.
#pragma once

#include <QElapsedTimer>
#include <functional>
#include <optional>

#include "frontend/net/online_context.h"
#include "frontend/router/port_mapper.h"

// Whether friends on the internet could reach this address: not one of a
// private network, a carrier's shared network, a link or this machine.
bool IsInternetAddress(const QString& ipv4);

// What the create dialog shows for a router's answer: the address friends
// type, and a line under it (this machine's own address on the local
// network, or that no router answered).
struct OwnAddressLines {
    QString address;
    QString note;
};
OwnAddressLines AddressLinesFor(const RouterReport& report, int uiLanguage);

// Where players on the internet reach the game hosted here.
struct ForwardedPort {
    QString externalAddress;
    quint16 port = 0;
    bool operator==(const ForwardedPort&) const = default;
};

class PortForwarding {
public:
    // Hears Found and NotFound, for the create dialog.
    using AddressListener = std::function<void(const RouterReport&)>;

    explicit PortForwarding(OnlineContext& context,
                            RouterProtocols protocols = HomeRouterProtocols);

    // Off: nothing is asked, and a mapping held is removed.
    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }
    void SetLeaseSeconds(int seconds) { mapper_.SetLeaseSeconds(seconds); }
    void SetAddressListener(AddressListener listener) { addressListener_ = std::move(listener); }

    // The create dialog shows: which router, and its external address.
    void LookForRouter();
    // Hosting began on this port, and ended.
    void Start(quint16 port);
    void Stop();
    // The router's address and port while it forwards the hosted game's
    // port to an address on the internet; nullopt otherwise (no router,
    // a refusal, or a router that sits behind yet another private network,
    // whose address nobody outside could reach).
    const std::optional<ForwardedPort>& Forwarded() const { return forwardedTo_; }

private:
    void OnReport(const RouterReport& report);
    void TellTheHost(const RouterReport& report);

    OnlineContext& c_;
    bool enabled_ = false;
    AddressListener addressListener_;
    QElapsedTimer sinceStart_;
    bool forwarded_ = false;  // as the host was last told
    std::optional<ForwardedPort> forwardedTo_;
    // Last, so that its removal of the mapping runs before the rest goes.
    PortMapper mapper_;
};
