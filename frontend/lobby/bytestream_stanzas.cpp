#include "frontend/lobby/bytestream_stanzas.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <cstring>

#include "frontend/lobby/element_attributes.h"
#include "frontend/lobby/join_answer.h"
#include "frontend/lobby/lobby_protocol.h"
#include "frontend/lobby/stanza_attributes.h"

namespace lobby {

namespace {

constexpr char kStanzaErrors[] = "urn:ietf:params:xml:ns:xmpp-stanzas";
// An offer names one stream host, a few at most; more are not read.
constexpr size_t kMaxStreamHosts = 8;

bool Is(const char* text, const char* expected) {
    return text && std::strcmp(text, expected) == 0;
}

std::optional<QString> ReadJid(const char* text) {
    return text ? ReadPlainText(text, kMaxJidChars) : std::nullopt;
}

std::optional<QString> ReadSid(const char* text) {
    if (!text) return std::nullopt;
    const size_t length = std::strlen(text);
    if (length == 0 || length > static_cast<size_t>(kMaxSidChars)) return std::nullopt;
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || c == '.';
        if (!plain) return std::nullopt;
    }
    return QString::fromLatin1(text, static_cast<qsizetype>(length));
}

xmpp_stanza_t* Query(xmpp_stanza_t* iq, const char* type, const char* ns) {
    if (!Is(xmpp_stanza_get_name(iq), "iq") || !Is(xmpp_stanza_get_type(iq), type)) return nullptr;
    xmpp_stanza_t* query = xmpp_stanza_get_child_by_name_and_ns(iq, "query", ns);
    return query;
}

xmpp_stanza_t* NewBytestreamsIq(xmpp_ctx_t* ctx, const char* type, const QString& to, const char* id,
                                const QString& sid, xmpp_stanza_t** query) {
    xmpp_stanza_t* iq = NewQueryIq(ctx, type, to, id, kBytestreams);
    *query = xmpp_stanza_get_children(iq);
    xmpp_stanza_set_attribute(*query, "sid", sid.toUtf8().constData());
    return iq;
}

}  // namespace

std::string StreamHash(const QString& sid, const QString& initiator, const QString& target) {
    return QCryptographicHash::hash((sid + initiator + target).toUtf8(), QCryptographicHash::Sha1)
        .toHex()
        .toStdString();
}

QString NewStreamId() {
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

std::vector<QString> ReadServiceItems(xmpp_stanza_t* iq, size_t max) {
    std::vector<QString> items;
    xmpp_stanza_t* query = Query(iq, "result", kDiscoItems);
    for (xmpp_stanza_t* c = query ? xmpp_stanza_get_children(query) : nullptr; c && items.size() < max;
         c = xmpp_stanza_get_next(c)) {
        if (!Is(xmpp_stanza_get_name(c), "item")) continue;
        if (std::optional<QString> jid = ReadJid(xmpp_stanza_get_attribute(c, "jid"))) items.push_back(*jid);
    }
    return items;
}

std::optional<StreamHost> ReadProxyAnswer(xmpp_stanza_t* iq, const QString& proxy) {
    xmpp_stanza_t* query = Query(iq, "result", kBytestreams);
    xmpp_stanza_t* host = query ? xmpp_stanza_get_child_by_name(query, "streamhost") : nullptr;
    if (!host) return std::nullopt;
    const std::optional<QString> jid = ReadJid(xmpp_stanza_get_attribute(host, "jid"));
    if (!jid || jid->compare(proxy, Qt::CaseInsensitive) != 0) return std::nullopt;
    const char* address = xmpp_stanza_get_attribute(host, "host");
    const char* port = xmpp_stanza_get_attribute(host, "port");
    if (!address || !port) return std::nullopt;
    // A stream host is a host and a port exactly as a host's join answer is.
    const std::optional<JoinAnswer> where = DecodeJoinAnswer({{"host", address}, {"port", port}});
    if (!where) return std::nullopt;
    return StreamHost{*jid, where->host, where->port};
}

std::optional<RelayOffer> ReadRelayOffer(xmpp_stanza_t* iq) {
    xmpp_stanza_t* query = Query(iq, "set", kBytestreams);
    if (!query) return std::nullopt;
    const char* mode = xmpp_stanza_get_attribute(query, "mode");
    if (mode && !Is(mode, "tcp")) return std::nullopt;
    RelayOffer offer;
    const std::optional<QString> sid = ReadSid(xmpp_stanza_get_attribute(query, "sid"));
    xmpp_stanza_t* relay = xmpp_stanza_get_child_by_name_and_ns(query, kRelayElement, kNamespace);
    const std::optional<QString> initiator = relay ? ReadJid(xmpp_stanza_get_attribute(relay, "initiator"))
                                                   : std::nullopt;
    if (!sid || !initiator) return std::nullopt;
    offer.sid = *sid;
    offer.initiator = *initiator;
    for (xmpp_stanza_t* c = xmpp_stanza_get_children(query); c && offer.hostJids.size() < kMaxStreamHosts;
         c = xmpp_stanza_get_next(c)) {
        if (!Is(xmpp_stanza_get_name(c), "streamhost")) continue;
        if (std::optional<QString> jid = ReadJid(xmpp_stanza_get_attribute(c, "jid")))
            offer.hostJids.push_back(*jid);
    }
    if (offer.hostJids.empty()) return std::nullopt;
    return offer;
}

std::optional<QString> ReadStreamHostUsed(xmpp_stanza_t* iq) {
    xmpp_stanza_t* query = Query(iq, "result", kBytestreams);
    xmpp_stanza_t* used = query ? xmpp_stanza_get_child_by_name(query, "streamhost-used") : nullptr;
    return used ? ReadJid(xmpp_stanza_get_attribute(used, "jid")) : std::nullopt;
}

QString IqErrorCondition(xmpp_stanza_t* iq) {
    xmpp_stanza_t* error = xmpp_stanza_get_child_by_name(iq, "error");
    for (xmpp_stanza_t* c = error ? xmpp_stanza_get_children(error) : nullptr; c; c = xmpp_stanza_get_next(c))
        if (Is(xmpp_stanza_get_ns(c), kStanzaErrors) && !Is(xmpp_stanza_get_name(c), "text"))
            return ReadPlainText(xmpp_stanza_get_name(c), 64).value_or(QStringLiteral("undefined-condition"));
    return QStringLiteral("undefined-condition");
}

xmpp_stanza_t* NewQueryIq(xmpp_ctx_t* ctx, const char* type, const QString& to, const char* id, const char* ns) {
    xmpp_stanza_t* iq = xmpp_iq_new(ctx, type, id);
    xmpp_stanza_set_to(iq, to.toUtf8().constData());
    NewChildElement(iq, "query", ns);
    return iq;
}

xmpp_stanza_t* NewRelayOffer(xmpp_ctx_t* ctx, const QString& to, const char* id, const QString& sid,
                             const QString& initiator, const StreamHost& proxy) {
    xmpp_stanza_t* query = nullptr;
    xmpp_stanza_t* iq = NewBytestreamsIq(ctx, "set", to, id, sid, &query);
    xmpp_stanza_set_attribute(query, "mode", "tcp");
    xmpp_stanza_t* host = NewChildElement(query, "streamhost");
    xmpp_stanza_set_attribute(host, "jid", proxy.jid.toUtf8().constData());
    xmpp_stanza_set_attribute(host, "host", proxy.host.toUtf8().constData());
    xmpp_stanza_set_attribute(host, "port", std::to_string(proxy.port).c_str());
    xmpp_stanza_t* relay = NewChildElement(query, kRelayElement, kNamespace);
    xmpp_stanza_set_attribute(relay, "initiator", initiator.toUtf8().constData());
    return iq;
}

xmpp_stanza_t* NewActivation(xmpp_ctx_t* ctx, const QString& proxy, const char* id, const QString& sid,
                             const QString& target) {
    xmpp_stanza_t* query = nullptr;
    xmpp_stanza_t* iq = NewBytestreamsIq(ctx, "set", proxy, id, sid, &query);
    xmpp_stanza_t* text = xmpp_stanza_new(ctx);
    xmpp_stanza_set_text(text, target.toUtf8().constData());
    AdoptChild(NewChildElement(query, "activate"), text);
    return iq;
}

xmpp_stanza_t* NewStreamHostUsed(xmpp_ctx_t* ctx, const QString& to, const char* id, const QString& sid,
                                 const QString& proxy) {
    xmpp_stanza_t* query = nullptr;
    xmpp_stanza_t* iq = NewBytestreamsIq(ctx, "result", to, id, sid, &query);
    xmpp_stanza_set_attribute(NewChildElement(query, "streamhost-used"), "jid", proxy.toUtf8().constData());
    return iq;
}

xmpp_stanza_t* NewIqError(xmpp_ctx_t* ctx, const QString& to, const char* id, const char* type,
                          const char* condition) {
    xmpp_stanza_t* iq = xmpp_iq_new(ctx, "error", id);
    xmpp_stanza_set_to(iq, to.toUtf8().constData());
    xmpp_stanza_t* error = NewChildElement(iq, "error");
    xmpp_stanza_set_type(error, type);
    NewChildElement(error, condition, kStanzaErrors);
    return iq;
}

}  // namespace lobby
