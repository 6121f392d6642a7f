#include "frontend/settings/lobby_settings.h"

#include "frontend/settings/config_section.h"

namespace {

constexpr char16_t kServer[] = u"Servidor do saguão";
constexpr char16_t kFriendsOnly[] = u"Só amigos";

// Printable ASCII without spaces: what a host name, an address and a port
// are written with. Anything else is not an address a hand meant.
bool IsAddressText(const QByteArray& value) {
    if (value.size() > kMaxLobbyServerChars) return false;
    for (const char c : value) {
        if (c <= ' ' || c > '~') return false;
    }
    return true;
}

}  // namespace

LobbySettings ReadLobbySettings(const IniDocument& document, const LobbySettings& current) {
    LobbySettings settings = current;
    if (const std::optional<QByteArray> server = document.Value(kConfigSection, ConfigKey(kServer))) {
        const QByteArray trimmed = server->trimmed();
        if (IsAddressText(trimmed)) {
            settings.server = QString::fromLatin1(trimmed);
        } else {
            qWarning("settings: Config/%s is not a server address; the lobby asks for one",
                     qPrintable(QString::fromUtf16(kServer)));
        }
    }
    if (const std::optional<QByteArray> value = document.Value(kConfigSection, ConfigKey(kFriendsOnly))) {
        if (const std::optional<int> number = ParseIniInteger(*value)) {
            settings.friendsOnly = *number != 0;
        } else {
            qWarning("settings: Config/%s is not a number; the box keeps its state",
                     qPrintable(QString::fromUtf16(kFriendsOnly)));
        }
    }
    return settings;
}

bool WriteLobbySettings(IniDocument& document, const LobbySettings& settings) {
    bool written = true;
    const QByteArray server = settings.server.trimmed().toLatin1();
    if (settings.server.trimmed().isEmpty()) {
        document.RemoveKey(kConfigSection, ConfigKey(kServer));
    } else if (IsAddressText(server) && settings.server.trimmed() == QString::fromLatin1(server)) {
        written = document.SetValue(kConfigSection, ConfigKey(kServer), server);
    } else {
        qWarning("settings: the lobby server's address cannot be kept as typed");
        written = false;
    }
    if (settings.friendsOnly)
        written = document.SetValue(kConfigSection, ConfigKey(kFriendsOnly), "1") && written;
    else
        document.RemoveKey(kConfigSection, ConfigKey(kFriendsOnly));
    return written;
}
