#include "frontend/lobby/relay_broker.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace lobby {

namespace {

constexpr char kIdPrefix[] = "relay-";
constexpr char kItemsId[] = "relay-items";
constexpr char kProxyIdPrefix[] = "relay-proxy-";
constexpr char kOfferIdPrefix[] = "relay-offer-";
constexpr char kActivateIdPrefix[] = "relay-activate-";
// Services of the server asked whether they are a proxy, at most.
constexpr size_t kMaxServices = 16;
// Relayed lines being set up at once, both ways together.
constexpr size_t kMaxLines = 8;

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool Is(const char* text, const char* expected) {
    return text && std::strcmp(text, expected) == 0;
}

}  // namespace

RelayBroker::RelayBroker(xmpp_ctx_t* ctx, xmpp_conn_t* conn, const RoomView& view, const QString& domain,
                         int timeoutMs, Emit emit)
    : ctx_(ctx), conn_(conn), view_(view), domain_(domain), timeout_(timeoutMs), emit_(std::move(emit)) {}

RelayBroker::~RelayBroker() = default;

void RelayBroker::Send(xmpp_stanza_t* stanza) {
    xmpp_send(conn_, stanza);
    xmpp_stanza_release(stanza);
}

QString RelayBroker::OccupantAddress(const QString& nickname) const {
    return view_.room + QLatin1Char('/') + nickname;
}

void RelayBroker::Discover() {
    if (discovery_ != Discovery::NotStarted) return;
    discovery_ = Discovery::Asking;
    discoveryDeadline_ = Clock::now() + timeout_;
    Send(NewQueryIq(ctx_, "get", domain_, kItemsId, kDiscoItems));
}

void RelayBroker::FinishDiscovery() {
    if (discovery_ == Discovery::Done) return;
    discovery_ = Discovery::Done;
    candidates_.clear();
    if (proxy_)
        qInfo("lobby: the server's relay is %s at %s port %u", qPrintable(proxy_->jid), qPrintable(proxy_->host),
              proxy_->port);
    else
        qWarning("lobby: the server %s offers no relay", qPrintable(domain_));
    for (auto it = lines_.begin(); it != lines_.end();) {
        auto line = it++;
        if (line->stage == Stage::WaitingForProxy) Proceed(line);
    }
}

void RelayBroker::Offer(const QString& occupant) {
    if (lines_.size() >= kMaxLines) {
        qWarning("lobby: too many relayed lines being set up; none offered to \"%s\"", qPrintable(occupant));
        emit_(RelayFailed{occupant, QStringLiteral("too many relayed lines are being set up at once")});
        return;
    }
    Line line;
    line.initiator = true;
    line.occupant = occupant;
    line.sid = NewStreamId();
    line.hash = StreamHash(line.sid, QString::fromUtf8(xmpp_conn_get_bound_jid(conn_)), OccupantAddress(occupant));
    line.deadline = Clock::now() + timeout_;
    lines_.push_back(std::move(line));
    Discover();
    if (discovery_ == Discovery::Done) Proceed(std::prev(lines_.end()));
}

void RelayBroker::Proceed(LineIt line) {
    if (!proxy_) {
        Fail(line, QStringLiteral("the lobby server has no relay"), true);
        return;
    }
    if (line->initiator) {
        line->stage = Stage::WaitingForTarget;
        const std::string id = kOfferIdPrefix + line->sid.toStdString();
        Send(NewRelayOffer(ctx_, OccupantAddress(line->occupant), id.c_str(), line->sid,
                           QString::fromUtf8(xmpp_conn_get_bound_jid(conn_)), *proxy_));
        return;
    }
    bool offered = false;
    for (const QString& jid : line->offeredHosts) offered = offered || jid.compare(proxy_->jid, Qt::CaseInsensitive) == 0;
    if (!offered) {
        Fail(line, QStringLiteral("the offer names no relay of our lobby server"));
        return;
    }
    StartSocks(line);
}

void RelayBroker::StartSocks(LineIt line) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(proxy_->port);
    const int looked = getaddrinfo(proxy_->host.toUtf8().constData(), port.c_str(), &hints, &found);
    if (looked != 0 || !found) {
        Fail(line, QStringLiteral("cannot find the relay %1: %2").arg(proxy_->host, QString::fromUtf8(gai_strerror(looked))));
        return;
    }
    for (const addrinfo* a = found; a; a = a->ai_next) {
        sockaddr_storage address{};
        std::memcpy(&address, a->ai_addr, std::min<size_t>(a->ai_addrlen, sizeof address));
        line->addresses.push_back(address);
    }
    freeaddrinfo(found);
    line->stage = Stage::Connecting;
    if (!TryNextAddress(line)) Fail(line, line->problem);
}

bool RelayBroker::TryNextAddress(LineIt line) {
    line->socks.reset();
    line->socket.reset();
    while (!line->addresses.empty()) {
        const sockaddr_storage address = line->addresses.front();
        line->addresses.erase(line->addresses.begin());
        const socklen_t length = address.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
        const int fd = socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            line->problem = QStringLiteral("cannot make a socket: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            continue;
        }
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 && errno != EINPROGRESS) {
            line->problem = QStringLiteral("cannot reach the relay: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            close(fd);
            continue;
        }
        line->socket = std::make_shared<RelayedSocket>(fd);
        // The proxy is told the stream's hash as the name to connect to, port 0.
        line->socks = std::make_unique<Socks5Connect>(fd, line->hash, 0);
        return true;
    }
    return false;
}

void RelayBroker::Connected(LineIt line) {
    line->socks.reset();
    if (line->initiator) {
        line->stage = Stage::Activating;
        const std::string id = kActivateIdPrefix + line->sid.toStdString();
        Send(NewActivation(ctx_, proxy_->jid, id.c_str(), line->sid, OccupantAddress(line->occupant)));
        return;
    }
    Send(NewStreamHostUsed(ctx_, OccupantAddress(line->occupant), line->offerId.c_str(), line->sid, proxy_->jid));
    line->offerId.clear();  // answered
    line->stage = Stage::WaitingForFirstBytes;
}

bool RelayBroker::FirstBytesCame(LineIt line) {
    pollfd p{line->socket->Descriptor(), POLLIN, 0};
    if (poll(&p, 1, 0) <= 0) return false;
    char byte = 0;
    const ssize_t peeked = recv(p.fd, &byte, 1, MSG_PEEK);
    if (peeked > 0) {
        Ready(line);
    } else if (peeked == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        Fail(line, QStringLiteral("the relay closed the line before the other side joined it"));
    } else {
        return false;
    }
    return true;
}

void RelayBroker::Ready(LineIt line) {
    qInfo("lobby: a relayed line with \"%s\" is open", qPrintable(line->occupant));
    emit_(RelayReady{line->occupant, std::move(line->socket)});
    lines_.erase(line);
}

void RelayBroker::Fail(LineIt line, const QString& why, bool serverHasNoRelay) {
    qWarning("lobby: no relayed line with \"%s\": %s", qPrintable(line->occupant), qPrintable(why));
    // An offer not answered yet is answered now, so the offerer need not wait.
    if (!line->initiator && !line->offerId.empty())
        Send(NewIqError(ctx_, OccupantAddress(line->occupant), line->offerId.c_str(), "cancel",
                        "remote-server-not-found"));
    emit_(RelayFailed{line->occupant, why, serverHasNoRelay});
    lines_.erase(line);
}

std::optional<RelayBroker::LineIt> RelayBroker::FindLine(const QString& sid, bool initiator) {
    for (auto it = lines_.begin(); it != lines_.end(); ++it)
        if (it->sid == sid && it->initiator == initiator) return it;
    return std::nullopt;
}

bool RelayBroker::Handle(xmpp_stanza_t* stanza) {
    if (!Is(xmpp_stanza_get_name(stanza), "iq")) return false;
    const char* type = xmpp_stanza_get_type(stanza);
    if (Is(type, "set") && xmpp_stanza_get_child_by_name_and_ns(stanza, "query", kBytestreams)) {
        HandleOffer(stanza);
        return true;
    }
    const char* id = xmpp_stanza_get_id(stanza);
    if (!id || !(Is(type, "result") || Is(type, "error")) || !StartsWith(id, kIdPrefix)) return false;
    HandleAnswer(stanza, id);
    return true;
}

void RelayBroker::HandleOffer(xmpp_stanza_t* iq) {
    const char* from = xmpp_stanza_get_from(iq);
    const char* id = xmpp_stanza_get_id(iq);
    const QString sender = QString::fromUtf8(from ? from : "");
    const QString roomPrefix = view_.room + QLatin1Char('/');
    const std::optional<QString> occupant =
        sender.startsWith(roomPrefix, Qt::CaseInsensitive)
            ? ReadPlainText(sender.mid(roomPrefix.size()).toStdString(), kMaxNicknameChars)
            : std::nullopt;
    if (!id || !occupant) {
        qWarning("lobby: a relay offer from outside the lobby room dropped");
        return;
    }
    auto refuse = [&](const char* type, const char* condition, const char* why) {
        qWarning("lobby: the relay offer of \"%s\" refused: %s", qPrintable(*occupant), why);
        Send(NewIqError(ctx_, sender, id, type, condition));
    };
    std::optional<RelayOffer> offer = ReadRelayOffer(iq);
    if (!offer) return refuse("modify", "bad-request", "it could not be read");
    if (!accepting_) return refuse("cancel", "not-acceptable", "this side lists no game");
    if (lines_.size() >= kMaxLines) return refuse("wait", "resource-constraint", "too many lines at once");
    for (const Line& other : lines_)
        if (other.sid == offer->sid) return refuse("cancel", "conflict", "its stream id is in use");
    Line line;
    line.occupant = *occupant;
    line.sid = offer->sid;
    line.hash = StreamHash(offer->sid, offer->initiator, OccupantAddress(view_.nickname));
    line.deadline = Clock::now() + timeout_;
    line.offerId = id;
    line.offeredHosts = std::move(offer->hostJids);
    lines_.push_back(std::move(line));
    Discover();
    if (discovery_ == Discovery::Done) Proceed(std::prev(lines_.end()));
}

void RelayBroker::HandleAnswer(xmpp_stanza_t* iq, const std::string& id) {
    const QString from = QString::fromUtf8(xmpp_stanza_get_from(iq) ? xmpp_stanza_get_from(iq) : "");
    const bool error = Is(xmpp_stanza_get_type(iq), "error");
    if (id == kItemsId) {
        if (discovery_ != Discovery::Asking || from.compare(domain_, Qt::CaseInsensitive) != 0) return;
        for (const QString& jid : ReadServiceItems(iq, kMaxServices)) {
            const std::string queryId = kProxyIdPrefix + std::to_string(candidates_.size());
            candidates_[queryId] = jid;
            Send(NewQueryIq(ctx_, "get", jid, queryId.c_str(), kBytestreams));
        }
        if (candidates_.empty()) FinishDiscovery();
        return;
    }
    if (StartsWith(id, kProxyIdPrefix)) {
        const auto candidate = candidates_.find(id);
        if (candidate == candidates_.end() || candidate->second.compare(from, Qt::CaseInsensitive) != 0) return;
        if (!error && !proxy_) proxy_ = ReadProxyAnswer(iq, candidate->second);
        candidates_.erase(candidate);
        if (proxy_ || candidates_.empty()) FinishDiscovery();
        return;
    }
    const bool offer = StartsWith(id, kOfferIdPrefix);
    if (!offer && !StartsWith(id, kActivateIdPrefix)) return;
    const QString sid = QString::fromStdString(id.substr(std::strlen(offer ? kOfferIdPrefix : kActivateIdPrefix)));
    const std::optional<LineIt> line = FindLine(sid, true);
    if (!line) return;
    if (offer) {
        // Only the occupant offered to answers the offer.
        if ((*line)->stage != Stage::WaitingForTarget || from != OccupantAddress((*line)->occupant)) return;
        if (error) return Fail(*line, QStringLiteral("the occupant refused the relayed line (%1)").arg(IqErrorCondition(iq)));
        const std::optional<QString> used = ReadStreamHostUsed(iq);
        if (!used || used->compare(proxy_->jid, Qt::CaseInsensitive) != 0)
            return Fail(*line, QStringLiteral("the occupant answered with a relay we did not offer"));
        StartSocks(*line);
        return;
    }
    if ((*line)->stage != Stage::Activating || from.compare(proxy_->jid, Qt::CaseInsensitive) != 0) return;
    if (error) return Fail(*line, QStringLiteral("the relay would not join the line (%1)").arg(IqErrorCondition(iq)));
    Ready(*line);
}

void RelayBroker::Poll() {
    const auto now = Clock::now();
    if (discovery_ == Discovery::Asking && now > discoveryDeadline_) FinishDiscovery();
    for (auto it = lines_.begin(); it != lines_.end();) {
        auto line = it++;
        if (line->stage == Stage::WaitingForFirstBytes && FirstBytesCame(line)) continue;
        if (line->socks) {
            pollfd p{line->socket->Descriptor(), line->socks->Events(), 0};
            if (poll(&p, 1, 0) > 0) {
                const Socks5Connect::Status status = line->socks->Advance();
                if (status == Socks5Connect::Status::Failed) {
                    line->problem = QString::fromStdString(line->socks->Problem());
                    if (line->socks->ReachedProxy() || !TryNextAddress(line)) Fail(line, line->problem);
                    continue;
                }
                if (status == Socks5Connect::Status::Connected) {
                    Connected(line);
                    continue;
                }
            }
        }
        if (now > line->deadline) {
            const char* why = line->stage == Stage::WaitingForTarget       ? "the occupant did not answer in time"
                              : line->stage == Stage::Activating           ? "the relay did not join the line in time"
                              : line->stage == Stage::WaitingForFirstBytes ? "the other side never used the line"
                                                                           : "the relay did not answer in time";
            Fail(line, QString::fromLatin1(why));
        }
    }
}

}  // namespace lobby
