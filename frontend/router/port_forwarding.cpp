#include "frontend/router/port_forwarding.h"

#include <QHostAddress>

bool IsInternetAddress(const QString& ipv4) {
    QHostAddress address;
    if (!address.setAddress(ipv4) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    const quint32 a = address.toIPv4Address();
    const struct {
        quint32 network, mask;
    } notInternet[] = {
        {0x00000000, 0xFF000000},  // 0.0.0.0/8: this network, an unknown address
        {0x0A000000, 0xFF000000},  // 10.0.0.0/8
        {0x64400000, 0xFFC00000},  // 100.64.0.0/10: a carrier's shared network
        {0x7F000000, 0xFF000000},  // 127.0.0.0/8
        {0xA9FE0000, 0xFFFF0000},  // 169.254.0.0/16
        {0xAC100000, 0xFFF00000},  // 172.16.0.0/12
        {0xC0A80000, 0xFFFF0000},  // 192.168.0.0/16
    };
    for (const auto& range : notInternet) {
        if ((a & range.mask) == range.network) return false;
    }
    return true;
}

OwnAddressLines AddressLinesFor(const RouterReport& report, int uiLanguage) {
    if (report.kind == RouterReport::Kind::NotFound || report.externalAddress.isEmpty())
        return {report.localAddress, Tr(UiText::NoRouterAnswered, uiLanguage)};
    return {report.externalAddress,
            Tr(UiText::LocalNetworkAddress, uiLanguage).arg(report.localAddress)};
}

PortForwarding::PortForwarding(OnlineContext& context, RouterProtocols protocols)
    : c_(context),
      mapper_([this](const RouterReport& report) { OnReport(report); }, std::move(protocols)) {}

void PortForwarding::SetEnabled(bool on) {
    enabled_ = on;
    if (on) return;
    forwardedTo_.reset();
    if (mapper_.WantedPort()) mapper_.Unmap();
}

void PortForwarding::LookForRouter() {
    if (enabled_) mapper_.LookForRouter();
}

void PortForwarding::Start(quint16 port) {
    if (!enabled_) return;
    qInfo("portmap: hosting on TCP %u; asking the router to forward it", port);
    sinceStart_.start();
    mapper_.Map(port);
}

void PortForwarding::Stop() {
    forwardedTo_.reset();
    if (mapper_.WantedPort()) mapper_.Unmap();
}

void PortForwarding::OnReport(const RouterReport& report) {
    switch (report.kind) {
        case RouterReport::Kind::Found:
        case RouterReport::Kind::NotFound:
            if (addressListener_) addressListener_(report);
            break;
        case RouterReport::Kind::Mapped:
        case RouterReport::Kind::NotMapped: {
            const bool forwarded = report.kind == RouterReport::Kind::Mapped;
            if (!report.renewal || forwarded != forwarded_) TellTheHost(report);
            forwarded_ = forwarded;
            if (forwarded && IsInternetAddress(report.externalAddress))
                forwardedTo_ = ForwardedPort{report.externalAddress, report.port};
            else
                forwardedTo_.reset();
            break;
        }
        case RouterReport::Kind::Removed:
            forwardedTo_.reset();
            break;
    }
}

void PortForwarding::TellTheHost(const RouterReport& report) {
    const QString port = QString::number(report.port);
    if (report.kind == RouterReport::Kind::NotMapped) {
        if (report.renewal)
            qWarning("portmap: TCP %u no longer forwarded: the router refused its renewal",
                     report.port);
        else
            qInfo("portmap: TCP %u not forwarded, %lld ms after hosting began", report.port,
                  sinceStart_.elapsed());
        c_.chat.ShowSystemLine(c_.Text(UiText::PortNotForwarded).arg(port, report.localAddress));
        return;
    }
    if (report.renewal)
        qInfo("portmap: TCP %u forwarded again", report.port);
    else
        qInfo("portmap: TCP %u forwarded %lld ms after hosting began", report.port,
              sinceStart_.elapsed());
    if (IsInternetAddress(report.externalAddress)) {
        c_.chat.ShowSystemLine(
            c_.Text(UiText::PortForwarded).arg(report.externalAddress, port, report.method));
    } else {
        c_.chat.ShowSystemLine(
            c_.Text(UiText::PortForwardedBehindAnotherNetwork).arg(port, report.externalAddress));
    }
}
