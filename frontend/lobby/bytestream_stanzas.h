// The stanzas of a relayed line (SOCKS5 bytestreams through the lobby
// server's proxy), written and read. Everything read here comes from the
// server or another player and is untrusted: a reader returns nothing for a
// stanza that breaks any rule, and caps every length and count.
//
//   find the relay   domain  <- get disco#items            -> items' jids
//                    item    <- get bytestreams query      -> <streamhost jid host port/>
//   offer (to the occupant, through the room)
//     <query xmlns=bytestreams sid=SID mode=tcp>
//       <streamhost jid=PROXY host=.. port=../>
//       <relay xmlns=ours initiator=OUR-FULL-JID/>
//     </query>
//   the occupant connects to the proxy, answers <streamhost-used jid=PROXY/>
//   the offerer connects, then asks the proxy: <query sid=SID><activate>TARGET</activate></query>
//
// Both connect with the address StreamHash(sid, offerer's full JID, target).
// The room hides occupants' real addresses, and the proxy knows the offerer
// only by its real one, so the offer carries it; the target is named by its
// address in the room, the same on both sides.
#pragma once

#include <strophe.h>

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lobby {

inline constexpr char kBytestreams[] = "http://jabber.org/protocol/bytestreams";
inline constexpr char kDiscoItems[] = "http://jabber.org/protocol/disco#items";
inline constexpr char kRelayElement[] = "relay";

// The longest address of a user or service we take from the wire.
inline constexpr int kMaxJidChars = 1023;
// The longest stream id we take (generated ones are 32 characters).
inline constexpr int kMaxSidChars = 64;

struct StreamHost {
    QString jid;   // the proxy's own address on the server
    QString host;  // where its SOCKS5 port is: a name or an address
    uint16_t port = 0;

    bool operator==(const StreamHost&) const = default;
};

struct RelayOffer {
    QString sid;
    QString initiator;               // the offerer's real full address
    std::vector<QString> hostJids;   // the stream hosts offered, by their address
};

// The destination name both sides give the proxy: the SHA-1 of the three,
// as 40 lowercase hex digits.
std::string StreamHash(const QString& sid, const QString& initiator, const QString& target);
// A fresh stream id: 32 random hex digits.
QString NewStreamId();

// The service addresses in a disco#items result, at most max of them.
std::vector<QString> ReadServiceItems(xmpp_stanza_t* iq, size_t max);
// A proxy's answer to our bytestreams query: its stream host, when the
// stanza is a result that names the proxy itself with a usable host and port.
std::optional<StreamHost> ReadProxyAnswer(xmpp_stanza_t* iq, const QString& proxy);
// An occupant's offer: the query of an iq set, with a usable stream id,
// tcp mode, our element naming the offerer, and at most a few stream hosts.
std::optional<RelayOffer> ReadRelayOffer(xmpp_stanza_t* iq);
// The stream host the target says it used, from its result.
std::optional<QString> ReadStreamHostUsed(xmpp_stanza_t* iq);
// The defined condition of an iq error, for the log.
QString IqErrorCondition(xmpp_stanza_t* iq);

// New stanzas for the caller to send and release.
xmpp_stanza_t* NewQueryIq(xmpp_ctx_t* ctx, const char* type, const QString& to, const char* id, const char* ns);
xmpp_stanza_t* NewRelayOffer(xmpp_ctx_t* ctx, const QString& to, const char* id, const QString& sid,
                             const QString& initiator, const StreamHost& proxy);
xmpp_stanza_t* NewActivation(xmpp_ctx_t* ctx, const QString& proxy, const char* id, const QString& sid,
                             const QString& target);
xmpp_stanza_t* NewStreamHostUsed(xmpp_ctx_t* ctx, const QString& to, const char* id, const QString& sid,
                                 const QString& proxy);
xmpp_stanza_t* NewIqError(xmpp_ctx_t* ctx, const QString& to, const char* id, const char* type,
                          const char* condition);

}  // namespace lobby
