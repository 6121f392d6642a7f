#include "frontend/ui/lobby_address.h"

#include <QStringList>

namespace {

constexpr int kMaxDomainChars = 253;
constexpr int kMaxLabelChars = 63;

bool IsLabel(const QString& label) {
    if (label.isEmpty() || label.size() > kMaxLabelChars) return false;
    if (label.front() == '-' || label.back() == '-') return false;
    for (const QChar c : label) {
        const char16_t u = c.unicode();
        const bool ok =
            (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-';
        if (!ok) return false;
    }
    return true;
}

bool IsDomain(const QString& domain) {
    if (domain.isEmpty() || domain.size() > kMaxDomainChars) return false;
    const QStringList labels = domain.split('.');
    for (const QString& label : labels) {
        if (!IsLabel(label)) return false;
    }
    return true;
}

}  // namespace

std::optional<lobby::LobbyServer> LobbyServerFromAddress(const QString& text) {
    const QString address = text.trimmed();
    QString domain = address;
    uint16_t port = 0;
    if (const qsizetype colon = address.lastIndexOf(':'); colon >= 0) {
        domain = address.left(colon);
        const QString portText = address.mid(colon + 1);
        bool isNumber = false;
        const uint value = portText.toUInt(&isNumber);
        // toUInt takes a sign and spaces; a port is digits alone.
        for (const QChar c : portText) {
            if (!c.isDigit()) isNumber = false;
        }
        if (!isNumber || value == 0 || value > 65535) return std::nullopt;
        port = static_cast<uint16_t>(value);
    }
    if (!IsDomain(domain)) return std::nullopt;
    lobby::LobbyServer server = lobby::LobbyServerAt(domain.toLower());
    server.port = port;
    return server;
}
