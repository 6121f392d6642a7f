// NAT-PMP through libnatpmp: UDP requests to the default gateway. The
// library's own retries would go on for a minute; here each request gets a
// time limit of its own.
#include <arpa/inet.h>
#include <natpmp.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QtGlobal>

#include "frontend/router/router_protocol.h"

namespace {

constexpr int kAnswerMs = 2000;

QString AddressText(in_addr address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return QString::fromLatin1(text);
}

// The address this machine sends from toward the gateway.
QString LocalAddressToward(in_addr_t gateway) {
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0) return {};
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(NATPMP_PORT);
    to.sin_addr.s_addr = gateway;
    sockaddr_in self{};
    socklen_t size = sizeof self;
    QString text;
    if (::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&self), &size) == 0)
        text = AddressText(self.sin_addr);
    ::close(s);
    return text;
}

class NatPmpProtocol : public RouterProtocol {
public:
    const char* Name() const override { return "NAT-PMP"; }

    bool Find() override {
        external_.clear();
        Session session;
        if (!session.open) {
            qInfo("portmap: NAT-PMP: no default gateway to ask");
            return false;
        }
        natpmpresp_t answer{};
        if (!Ask(session, sendpublicaddressrequest(&session.p), answer)) {
            qInfo("portmap: NAT-PMP: the gateway did not answer");
            return false;
        }
        gateway_ = session.p.gateway;
        external_ = AddressText(answer.pnu.publicaddress.addr);
        local_ = LocalAddressToward(gateway_);
        qInfo("portmap: NAT-PMP: gateway %s, external address %s, this machine %s",
              qPrintable(AddressText(in_addr{gateway_})), qPrintable(external_),
              qPrintable(local_));
        return true;
    }

    QString ExternalAddress() const override { return external_; }
    QString LocalAddress() const override { return local_; }

    std::optional<int> Map(quint16 port, int leaseSeconds) override {
        natpmpresp_t answer{};
        if (!Request(port, port, leaseSeconds, answer)) {
            qWarning("portmap: NAT-PMP: the gateway refused TCP %u", port);
            return std::nullopt;
        }
        // A gateway may give another public port; friends would not find it.
        if (answer.pnu.newportmapping.mappedpublicport != port) {
            qWarning("portmap: NAT-PMP: the gateway offered public port %u for %u",
                     answer.pnu.newportmapping.mappedpublicport, port);
            Unmap(port);
            return std::nullopt;
        }
        return int(answer.pnu.newportmapping.lifetime);
    }

    bool Unmap(quint16 port) override {
        natpmpresp_t answer{};
        // A lifetime of 0 and public port 0 remove the mapping.
        if (Request(port, 0, 0, answer)) return true;
        qWarning("portmap: NAT-PMP: removing TCP %u failed", port);
        return false;
    }

private:
    // One libnatpmp socket toward the gateway, closed with the scope.
    struct Session {
        explicit Session(in_addr_t gateway = 0) {
            open = initnatpmp(&p, gateway != 0, gateway) == 0;
        }
        ~Session() {
            if (open) closenatpmp(&p);
        }
        natpmp_t p{};
        bool open = false;
    };

    bool Request(quint16 port, quint16 publicPort, int lifetime, natpmpresp_t& answer) {
        if (gateway_ == 0) return false;
        Session session(gateway_);
        return session.open && Ask(session,
                                   sendnewportmappingrequest(&session.p, NATPMP_PROTOCOL_TCP, port,
                                                             publicPort, uint32_t(lifetime)),
                                   answer);
    }

    // Waits for the answer to the request just sent, resending as the
    // library schedules it, until the time limit.
    static bool Ask(Session& session, int sent, natpmpresp_t& answer) {
        if (sent < 0) return false;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kAnswerMs) {
            timeval wait{};
            getnatpmprequesttimeout(&session.p, &wait);
            const qint64 leftMs = kAnswerMs - clock.elapsed();
            if (wait.tv_sec * 1000 + wait.tv_usec / 1000 > leftMs) {
                wait.tv_sec = leftMs / 1000;
                wait.tv_usec = (leftMs % 1000) * 1000;
            }
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(session.p.s, &readable);
            ::select(session.p.s + 1, &readable, nullptr, nullptr, &wait);
            const int r = readnatpmpresponseorretry(&session.p, &answer);
            if (r == 0) return answer.resultcode == 0;
            if (r != NATPMP_TRYAGAIN) return false;
        }
        return false;
    }

    in_addr_t gateway_ = 0;
    QString external_;
    QString local_;
};

}  // namespace

std::unique_ptr<RouterProtocol> MakeNatPmpProtocol() {
    return std::make_unique<NatPmpProtocol>();
}
