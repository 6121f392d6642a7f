// The two ways of asking a home router to forward a TCP port to this
// machine: UPnP IGD (miniupnpc) and NAT-PMP (libnatpmp). Every call blocks,
// for a few seconds at most, so they are made on the port mapper's worker
// thread only (port_mapper.h); each writes what happened to the log with the
// prefix "portmap:".
#pragma once

#include <QString>
#include <memory>
#include <optional>

class RouterProtocol {
public:
    virtual ~RouterProtocol() = default;

    // "UPnP" or "NAT-PMP", for the log and the chat.
    virtual const char* Name() const = 0;
    // Looks for a router that speaks this protocol and asks it for its
    // external address; false when none answered in time.
    virtual bool Find() = 0;
    // What the last Find learnt: the router's external address and this
    // machine's own address on the router's network.
    virtual QString ExternalAddress() const = 0;
    virtual QString LocalAddress() const = 0;
    // Forwards the router's TCP port to the same port here; the lease the
    // router granted in seconds (0: until removed), nullopt when refused.
    virtual std::optional<int> Map(quint16 port, int leaseSeconds) = 0;
    virtual bool Unmap(quint16 port) = 0;
};

std::unique_ptr<RouterProtocol> MakeUpnpProtocol();
std::unique_ptr<RouterProtocol> MakeNatPmpProtocol();
