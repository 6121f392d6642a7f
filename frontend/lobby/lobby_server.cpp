#include "frontend/lobby/lobby_server.h"

#include <arpa/inet.h>
#include <strophe.h>

#include <QByteArray>

namespace lobby {

LobbyServer LobbyServerAt(const QString& domain) {
    LobbyServer server;
    server.domain = domain;
    server.room = QStringLiteral("lobby@rooms.") + domain;
    return server;
}

bool IsLoopbackHost(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
    const QByteArray text = host.toLatin1();
    in_addr v4{};
    if (inet_pton(AF_INET, text.constData(), &v4) == 1)
        return (reinterpret_cast<const unsigned char*>(&v4)[0]) == 127;
    in6_addr v6{};
    if (inet_pton(AF_INET6, text.constData(), &v6) != 1) return false;
    if (IN6_IS_ADDR_LOOPBACK(&v6)) return true;
    // An IPv4 loopback address written the IPv6 way.
    return IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127;
}

long ConnectionFlags(const LobbyServer& server) {
    const QString& host = server.connectHost.isEmpty() ? server.domain : server.connectHost;
    return IsLoopbackHost(host) ? 0 : XMPP_CONN_FLAG_MANDATORY_TLS;
}

}  // namespace lobby
