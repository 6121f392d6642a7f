#include "frontend/router/port_mapper.h"

#include <algorithm>

#include "frontend/net/own_address.h"

namespace {
constexpr int kRetryMs = 60 * 1000;
}  // namespace

std::vector<std::unique_ptr<RouterProtocol>> HomeRouterProtocols() {
    std::vector<std::unique_ptr<RouterProtocol>> protocols;
    protocols.push_back(MakeUpnpProtocol());
    protocols.push_back(MakeNatPmpProtocol());
    return protocols;
}

PortMapper::PortMapper(Listener listener, RouterProtocols protocols)
    : listener_(std::move(listener)), makeProtocols_(std::move(protocols)) {
    renewal_.setSingleShot(true);
    QObject::connect(&renewal_, &QTimer::timeout, &receiver_, [this] {
        if (!wanted_) return;
        const quint16 port = *wanted_;
        const int lease = leaseSeconds_;
        Post([this, port, lease] { MapOnRouter(port, lease, true); });
    });
}

PortMapper::~PortMapper() {
    if (!worker_.joinable()) return;  // never asked anything
    {
        // Whatever was still to be asked no longer matters; the removal does.
        std::lock_guard lock(mutex_);
        jobs_.clear();
        jobs_.push_back([this] { UnmapOnRouter(); });
        stopping_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void PortMapper::LookForRouter() {
    Post([this] { Find(); });
}

void PortMapper::Map(quint16 port) {
    wanted_ = port;
    renewal_.stop();
    const int lease = leaseSeconds_;
    Post([this, port, lease] {
        if (mapped_ && *mapped_ != port) UnmapOnRouter();
        MapOnRouter(port, lease, false);
    });
}

void PortMapper::Unmap() {
    wanted_.reset();
    renewal_.stop();
    Post([this] { UnmapOnRouter(); });
}

void PortMapper::Post(Job job) {
    // Most games never ask a router: the thread starts with the first request.
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void PortMapper::Work() {
    protocols_ = makeProtocols_();
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

// ---- the worker thread ------------------------------------------------------------

void PortMapper::Find() {
    router_ = nullptr;
    for (const auto& protocol : protocols_) {
        if (protocol->Find()) {
            router_ = protocol.get();
            break;
        }
    }
    Tell(Report(router_ ? RouterReport::Kind::Found : RouterReport::Kind::NotFound));
}

void PortMapper::MapOnRouter(quint16 port, int leaseSeconds, bool renewal) {
    // The router that answered before is asked first, without a new search;
    // then every protocol from the start.
    std::optional<int> lease;
    if (router_) lease = router_->Map(port, leaseSeconds);
    for (auto it = protocols_.begin(); !lease && it != protocols_.end(); ++it) {
        RouterProtocol* protocol = it->get();
        if (protocol == router_ || !protocol->Find()) continue;
        router_ = protocol;
        lease = protocol->Map(port, leaseSeconds);
    }
    if (!lease) {
        mapped_.reset();
        qWarning("portmap: no router forwards TCP port %u", port);
        RouterReport report = Report(RouterReport::Kind::NotMapped);
        report.port = port;
        report.renewal = renewal;
        Tell(report);
        return;
    }
    mapped_ = port;
    if (!renewal)
        qInfo("portmap: TCP %u forwarded by %s at %s, lease %d s", port, router_->Name(),
              qPrintable(router_->ExternalAddress()), *lease);
    RouterReport report = Report(RouterReport::Kind::Mapped);
    report.port = port;
    report.leaseSeconds = *lease;
    report.renewal = renewal;
    Tell(report);
}

void PortMapper::UnmapOnRouter() {
    if (!mapped_ || !router_) return;
    const quint16 port = *mapped_;
    mapped_.reset();
    if (!router_->Unmap(port)) return;
    qInfo("portmap: TCP %u no longer forwarded by %s", port, router_->Name());
    RouterReport report = Report(RouterReport::Kind::Removed);
    report.port = port;
    Tell(report);
}

RouterReport PortMapper::Report(RouterReport::Kind kind) const {
    RouterReport report;
    report.kind = kind;
    const bool known =
        router_ && kind != RouterReport::Kind::NotFound && kind != RouterReport::Kind::NotMapped;
    if (known) {
        report.method = QString::fromLatin1(router_->Name());
        report.externalAddress = router_->ExternalAddress();
        report.localAddress = router_->LocalAddress();
    }
    if (report.localAddress.isEmpty()) report.localAddress = OwnIpv4Address();
    return report;
}

void PortMapper::Tell(const RouterReport& report) {
    QMetaObject::invokeMethod(
        &receiver_, [this, report] { OnReport(report); }, Qt::QueuedConnection);
}

// ---- the GUI thread ------------------------------------------------------------------

void PortMapper::OnReport(const RouterReport& report) {
    const bool mapping =
        report.kind == RouterReport::Kind::Mapped || report.kind == RouterReport::Kind::NotMapped;
    // An answer for a port no longer wanted: its removal is already queued.
    if (mapping && wanted_ != report.port) return;
    if (report.kind == RouterReport::Kind::Mapped) {
        renewalMs_ = report.leaseSeconds > 0 ? std::max(1, report.leaseSeconds / 2) * 1000 : 0;
        if (renewalMs_ > 0) renewal_.start(renewalMs_);
    } else if (report.kind == RouterReport::Kind::NotMapped && report.renewal && renewalMs_ > 0) {
        renewal_.start(std::min(renewalMs_, kRetryMs));
    }
    if (listener_) listener_(report);
}
