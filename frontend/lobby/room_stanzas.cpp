#include "frontend/lobby/room_stanzas.h"

#include <cstring>
#include <functional>
#include <memory>

#include "frontend/lobby/lobby_chat_rules.h"
#include "frontend/lobby/lobby_protocol.h"
#include "frontend/lobby/stanza_attributes.h"

namespace lobby {

namespace {

constexpr char kMucUser[] = "http://jabber.org/protocol/muc#user";
constexpr char kStanzaErrors[] = "urn:ietf:params:xml:ns:xmpp-stanzas";
// The room marks the presence that reflects our own.
constexpr char kSelfPresenceCode[] = "110";

bool Is(const char* text, const char* expected) {
    return text && std::strcmp(text, expected) == 0;
}

// The occupant's nickname when the stanza comes from one of our room, else
// nothing (the room itself, another room, a stranger).
std::optional<QString> OccupantOf(xmpp_stanza_t* stanza, const RoomView& view) {
    const char* from = xmpp_stanza_get_from(stanza);
    if (!from) return std::nullopt;
    const char* slash = std::strchr(from, '/');
    if (!slash) return std::nullopt;
    const QString bare = QString::fromUtf8(from, slash - from);
    if (bare.compare(view.room, Qt::CaseInsensitive) != 0) return std::nullopt;
    std::optional<QString> nickname = ReadPlainText(slash + 1, kMaxNicknameChars);
    if (!nickname) qWarning("lobby: a stanza from an occupant with an unusable name dropped");
    return nickname;
}

bool HasSelfStatus(xmpp_stanza_t* presence) {
    xmpp_stanza_t* x = xmpp_stanza_get_child_by_name_and_ns(presence, "x", kMucUser);
    for (xmpp_stanza_t* c = x ? xmpp_stanza_get_children(x) : nullptr; c; c = xmpp_stanza_get_next(c))
        if (Is(xmpp_stanza_get_name(c), "status") &&
            Is(xmpp_stanza_get_attribute(c, "code"), kSelfPresenceCode))
            return true;
    return false;
}

// The defined condition of a stanza error ("conflict", "not-allowed" ...).
QString ErrorCondition(xmpp_stanza_t* stanza) {
    xmpp_stanza_t* error = xmpp_stanza_get_child_by_name(stanza, "error");
    for (xmpp_stanza_t* c = error ? xmpp_stanza_get_children(error) : nullptr; c;
         c = xmpp_stanza_get_next(c))
        if (Is(xmpp_stanza_get_ns(c), kStanzaErrors) && !Is(xmpp_stanza_get_name(c), "text"))
            return QString::fromUtf8(xmpp_stanza_get_name(c)).left(64);
    return QStringLiteral("undefined-condition");
}

std::vector<LobbyEvent> ReadPresence(xmpp_stanza_t* presence, const QString& occupant,
                                     const RoomView& view) {
    const char* type = xmpp_stanza_get_type(presence);
    const bool own = occupant == view.nickname;
    if (Is(type, "error")) {
        if (!own) return {};
        const QString condition = ErrorCondition(presence);
        if (condition == QLatin1String("conflict")) return {NicknameTaken{occupant}};
        return {Failure{FailureKind::RoomRefused,
                        QStringLiteral("the room refused us: %1").arg(condition)}};
    }
    if (Is(type, "unavailable")) {
        if (own && view.joined)
            return {Failure{FailureKind::ConnectionLost, QStringLiteral("removed from the room")}};
        return {GameGone{occupant}};
    }
    if (type) return {};  // subscription requests and the like mean nothing in a room

    std::vector<LobbyEvent> events;
    if (own && !view.joined && HasSelfStatus(presence)) events.push_back(SignedIn{occupant});
    const std::optional<ElementAttributes> game = ReadLobbyChild(presence, kGameElement);
    std::optional<GameListing> listing = game ? DecodeGameListing(*game) : std::nullopt;
    if (game && !listing)
        qWarning("lobby: the game of occupant \"%s\" could not be read; not listed",
                 qPrintable(occupant));
    if (listing)
        events.push_back(GameSeen{occupant, std::move(*listing)});
    else
        events.push_back(GameGone{occupant});
    return events;
}

std::vector<LobbyEvent> ReadGroupChat(xmpp_stanza_t* message, const QString& occupant) {
    xmpp_stanza_t* body = xmpp_stanza_get_child_by_name(message, "body");
    if (!body) return {};
    xmpp_ctx_t* ctx = xmpp_stanza_get_context(message);
    const std::unique_ptr<char, std::function<void(char*)>> text(
        xmpp_stanza_get_text(body), [ctx](char* p) { xmpp_free(ctx, p); });
    std::optional<QString> line = text ? ReadChatLine(text.get()) : std::nullopt;
    if (!line) {
        qWarning("lobby: a chat line from \"%s\" broke the chat's rules; dropped",
                 qPrintable(occupant));
        return {};
    }
    return {ChatHeard{occupant, std::move(*line)}};
}

std::vector<LobbyEvent> ReadPrivateMessage(xmpp_stanza_t* message, const QString& occupant) {
    if (ReadLobbyChild(message, kJoinElement)) return {JoinAsked{occupant}};
    const std::optional<ElementAttributes> address = ReadLobbyChild(message, kAddressElement);
    if (!address) return {};
    std::optional<JoinAnswer> answer = DecodeJoinAnswer(*address);
    if (!answer) {
        qWarning("lobby: the join answer of \"%s\" could not be read; dropped", qPrintable(occupant));
        return {};
    }
    return {JoinAnswered{occupant, std::move(*answer)}};
}

}  // namespace

std::vector<LobbyEvent> ReadRoomStanza(xmpp_stanza_t* stanza, const RoomView& view) {
    const std::optional<QString> occupant = OccupantOf(stanza, view);
    if (!occupant) return {};
    const char* name = xmpp_stanza_get_name(stanza);
    if (Is(name, "presence")) return ReadPresence(stanza, *occupant, view);
    if (!Is(name, "message")) return {};
    const char* type = xmpp_stanza_get_type(stanza);
    if (Is(type, "groupchat")) return ReadGroupChat(stanza, *occupant);
    if (Is(type, "chat")) return ReadPrivateMessage(stanza, *occupant);
    return {};
}

}  // namespace lobby
