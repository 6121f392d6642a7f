// Relayed lines between two occupants of the lobby through the server's
// SOCKS5 bytestream proxy, negotiated over the session's XMPP connection
// (bytestream_stanzas.h has the exchange). Lives on the session's thread:
// the session hands it every stanza and calls Poll() each turn; it reports
// RelayReady with the open socket, or RelayFailed, once per line.
//
// The proxy is found on the lobby's own server by service discovery; an
// offer from an occupant is only taken for that proxy, and its address is
// the one this side discovered, never one the offer names. Lines are
// offered only while this side lists a game (AcceptOffers), are few at
// once, and each has a time limit from start to open.
//
// The proxy tells only the offering side that it joined the two ends. The
// side that took an offer therefore hands its line on only once the first
// bytes of the offering side have come through it (left unread for the
// game): a line that was never joined, such as one a hostile occupant
// offered without meaning to use it, never reaches the game.
#pragma once

#include <strophe.h>
#include <sys/socket.h>

#include <QString>
#include <chrono>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>

#include "frontend/lobby/bytestream_stanzas.h"
#include "frontend/lobby/lobby_events.h"
#include "frontend/lobby/room_stanzas.h"
#include "frontend/lobby/socks5_connect.h"

namespace lobby {

class RelayBroker {
public:
    using Emit = std::function<void(LobbyEvent)>;

    RelayBroker(xmpp_ctx_t* ctx, xmpp_conn_t* conn, const RoomView& view, const QString& domain, int timeoutMs,
                Emit emit);
    ~RelayBroker();
    RelayBroker(const RelayBroker&) = delete;
    RelayBroker& operator=(const RelayBroker&) = delete;

    // Asks the server for its proxy, once.
    void Discover();
    // Offers a line to the occupant; the answer comes as RelayReady or RelayFailed.
    void Offer(const QString& occupant);
    void AcceptOffers(bool accept) { accepting_ = accept; }
    // Takes the stanza when it belongs to a relay; false leaves it to others.
    bool Handle(xmpp_stanza_t* stanza);
    // Moves the proxy handshakes on and enforces the time limits.
    void Poll();

private:
    using Clock = std::chrono::steady_clock;
    enum class Discovery { NotStarted, Asking, Done };
    enum class Stage { WaitingForProxy, WaitingForTarget, Connecting, Activating, WaitingForFirstBytes };

    struct Line {
        bool initiator = false;
        QString occupant;
        QString sid;
        std::string hash;
        Stage stage = Stage::WaitingForProxy;
        Clock::time_point deadline;
        std::shared_ptr<RelayedSocket> socket;
        std::unique_ptr<Socks5Connect> socks;
        // The proxy's addresses not tried yet, in the order to try them.
        std::vector<sockaddr_storage> addresses;
        QString problem;  // why the last address failed
        // The target's side: the offer to answer, and the stream hosts it named.
        std::string offerId;
        std::vector<QString> offeredHosts;
    };
    using LineIt = std::list<Line>::iterator;

    void Send(xmpp_stanza_t* stanza);
    QString OccupantAddress(const QString& nickname) const;
    void FinishDiscovery();
    void HandleOffer(xmpp_stanza_t* iq);
    void HandleAnswer(xmpp_stanza_t* iq, const std::string& id);
    // Moves a line whose proxy is known to its next step.
    void Proceed(LineIt line);
    void Connected(LineIt line);
    void StartSocks(LineIt line);
    // Connects to the next of the proxy's addresses; false when none is left.
    bool TryNextAddress(LineIt line);
    void Ready(LineIt line);
    // The taking side: hands the line on (true) once the offering side's
    // bytes came, or fails it (true) when it closed; false while waiting.
    bool FirstBytesCame(LineIt line);
    void Fail(LineIt line, const QString& why, bool serverHasNoRelay = false);
    std::optional<LineIt> FindLine(const QString& sid, bool initiator);

    xmpp_ctx_t* ctx_;
    xmpp_conn_t* conn_;
    const RoomView& view_;
    QString domain_;
    std::chrono::milliseconds timeout_;
    Emit emit_;
    bool accepting_ = false;

    Discovery discovery_ = Discovery::NotStarted;
    Clock::time_point discoveryDeadline_;
    std::map<std::string, QString> candidates_;  // asked services by query id
    std::optional<StreamHost> proxy_;

    std::list<Line> lines_;
};

}  // namespace lobby
