// UPnP IGD through miniupnpc: an SSDP search on the local network, the
// router's description, then SOAP calls to its WAN connection service.
#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

#include <QByteArray>
#include <QtGlobal>
#include <cstring>

#include "frontend/router/router_protocol.h"

namespace {

// How long the search waits for routers to answer. A router answers within
// the second the search gives it; the search ends after this much silence.
constexpr int kSearchMs = 1500;
// Only gateways are searched for: one search, one wait. (A search for each
// kind of device in turn would wait as many times when nobody answers.) A
// newer gateway answers a search for the first version too.
constexpr const char* kGatewayOnly[] = {"urn:schemas-upnp-org:device:InternetGatewayDevice:1",
                                        nullptr};
// Routers that keep only permanent mappings answer a lease with this error.
constexpr int kOnlyPermanentLeases = 725;
constexpr char kDescription[] = "Ringdisk";

class UpnpProtocol : public RouterProtocol {
public:
    ~UpnpProtocol() override { Forget(); }

    const char* Name() const override { return "UPnP"; }

    bool Find() override {
        Forget();
        int error = 0;
        UPNPDev* devices = upnpDiscoverDevices(kGatewayOnly, kSearchMs, nullptr, nullptr,
                                               UPNP_LOCAL_PORT_ANY, 0, 2, &error, 0);
        if (!devices) {
            qInfo("portmap: UPnP: no router answered the search (%d)", error);
            return false;
        }
        char lan[64] = {};
#if MINIUPNPC_API_VERSION >= 18
        char wan[64] = {};
        const int state =
            UPNP_GetValidIGD(devices, &urls_, &data_, lan, sizeof lan, wan, sizeof wan);
#else
        const int state = UPNP_GetValidIGD(devices, &urls_, &data_, lan, sizeof lan);
#endif
        freeUPNPDevlist(devices);
        haveUrls_ = state != 0;
        // 1 is a connected gateway; 2 a gateway that calls itself
        // unconnected or whose external address is not a public one, which
        // still forwards (a router behind another network is told apart by
        // its address, port_forwarding.cpp); 3 is no gateway at all.
        if (state != 1 && state != 2) {
            qInfo("portmap: UPnP: the devices that answered are no internet gateway");
            Forget();
            return false;
        }
        char external[40] = {};
        const int r =
            UPNP_GetExternalIPAddress(urls_.controlURL, data_.first.servicetype, external);
        // An unconnected gateway tells 0.0.0.0: nothing to forward from.
        if (r != UPNPCOMMAND_SUCCESS || external[0] == '\0' ||
            std::strcmp(external, "0.0.0.0") == 0) {
            qInfo("portmap: UPnP: the gateway at %s tells no external address (%d %s)",
                  urls_.controlURL, r, strupnperror(r));
            Forget();
            return false;
        }
        external_ = QString::fromLatin1(external);
        local_ = QString::fromLatin1(lan);
        qInfo("portmap: UPnP: gateway %s, external address %s, this machine %s%s", urls_.controlURL,
              external, lan, state == 2 ? " (it reports no connection)" : "");
        return true;
    }

    QString ExternalAddress() const override {
        return external_;
    }
    QString LocalAddress() const override {
        return local_;
    }

    std::optional<int> Map(quint16 port, int leaseSeconds) override {
        if (!haveUrls_) return std::nullopt;
        const QByteArray p = QByteArray::number(port);
        const QByteArray lan = local_.toLatin1();
        int lease = leaseSeconds;
        int r = Add(p, lan, lease);
        if (r == kOnlyPermanentLeases) {
            lease = 0;
            r = Add(p, lan, lease);
        }
        if (r != UPNPCOMMAND_SUCCESS) {
            qWarning("portmap: UPnP: the gateway refused TCP %u -> %s:%u (%d %s)", port,
                     lan.constData(), port, r, strupnperror(r));
            return std::nullopt;
        }
        return lease;
    }

    bool Unmap(quint16 port) override {
        if (!haveUrls_) return false;
        const int r = UPNP_DeletePortMapping(urls_.controlURL, data_.first.servicetype,
                                             QByteArray::number(port).constData(), "TCP", nullptr);
        if (r != UPNPCOMMAND_SUCCESS) {
            qWarning("portmap: UPnP: removing TCP %u failed (%d %s)", port, r, strupnperror(r));
            return false;
        }
        return true;
    }

private:
    int Add(const QByteArray& port, const QByteArray& lan, int lease) {
        return UPNP_AddPortMapping(urls_.controlURL, data_.first.servicetype, port.constData(),
                                   port.constData(), lan.constData(), kDescription, "TCP", nullptr,
                                   QByteArray::number(lease).constData());
    }

    void Forget() {
        if (haveUrls_) FreeUPNPUrls(&urls_);
        haveUrls_ = false;
        urls_ = {};
        data_ = {};
    }

    UPNPUrls urls_ = {};
    IGDdatas data_ = {};
    bool haveUrls_ = false;
    QString external_;
    QString local_;
};

}  // namespace

std::unique_ptr<RouterProtocol> MakeUpnpProtocol() {
    return std::make_unique<UpnpProtocol>();
}
