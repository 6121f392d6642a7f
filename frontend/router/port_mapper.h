// Asks the home router to forward a TCP port to this machine: UPnP IGD first
// and, where no UPnP router answers or it refuses, NAT-PMP. Routers are asked
// on a worker thread of the mapper's own, one request after another, so the
// window never waits for them; every answer comes back to the thread that
// made the mapper as a report. A mapping is renewed at half its lease (a
// renewal the router refuses is tried again as often, at most a minute
// apart, so a router that restarted forwards again) and removed on Unmap or
// when the mapper is destroyed; the destructor waits for that removal (a few
// seconds at worst), so that a program that ends, by its close box or by
// SIGTERM, leaves no port open behind it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "frontend/router/router_protocol.h"

struct RouterReport {
    enum class Kind {
        Found,      // LookForRouter: a router answered
        NotFound,   // LookForRouter: none did
        Mapped,     // the port is forwarded (also after each renewal)
        NotMapped,  // no router forwarded it
        Removed,    // the mapping is gone
    };
    Kind kind = Kind::NotFound;
    QString method;           // "UPnP", "NAT-PMP"; empty without a router
    QString externalAddress;  // as the router tells it; empty without one
    QString localAddress;     // this machine's address toward the router, or its first one
    quint16 port = 0;
    int leaseSeconds = 0;  // 0: until removed
    bool renewal = false;  // the answer to a renewal of the lease
};

// Makes the protocols to try, in order. Called once, on the worker thread.
using RouterProtocols = std::function<std::vector<std::unique_ptr<RouterProtocol>>()>;
std::vector<std::unique_ptr<RouterProtocol>> HomeRouterProtocols();  // UPnP, then NAT-PMP

class PortMapper {
public:
    using Listener = std::function<void(const RouterReport&)>;
    static constexpr int kDefaultLeaseSeconds = 3600;

    explicit PortMapper(Listener listener, RouterProtocols protocols = HomeRouterProtocols);
    ~PortMapper();
    PortMapper(const PortMapper&) = delete;
    PortMapper& operator=(const PortMapper&) = delete;

    // The lease asked for on the next Map.
    void SetLeaseSeconds(int seconds) { leaseSeconds_ = seconds; }

    // Finds the router and its external address, without mapping anything.
    void LookForRouter();
    // Forwards the port until Unmap; a port mapped before is removed first.
    void Map(quint16 port);
    void Unmap();
    // The port a Map asked for, until Unmap.
    std::optional<quint16> WantedPort() const { return wanted_; }

private:
    using Job = std::function<void()>;
    void Post(Job job);
    void Work();
    // Worker thread.
    void Find();
    void MapOnRouter(quint16 port, int leaseSeconds, bool renewal);
    void UnmapOnRouter();
    RouterReport Report(RouterReport::Kind kind) const;
    void Tell(const RouterReport& report);
    // GUI thread.
    void OnReport(const RouterReport& report);

    Listener listener_;
    int leaseSeconds_ = kDefaultLeaseSeconds;
    std::optional<quint16> wanted_;
    int renewalMs_ = 0;  // half the last lease granted
    QObject receiver_;   // its thread gets the reports
    QTimer renewal_;

    // The worker's alone once it runs.
    RouterProtocols makeProtocols_;
    std::vector<std::unique_ptr<RouterProtocol>> protocols_;
    RouterProtocol* router_ = nullptr;  // the one that answered last
    std::optional<quint16> mapped_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread worker_;
};
