// One sign-in to a lobby: a libstrophe connection on a thread of its own,
// from connecting through joining the room to leaving it. Calls from the
// owner's thread only queue commands and never wait for the network; what
// happens comes back as events through the sink, on the session's thread.
// Lines to other occupants through the server's relay are set up on the
// same thread (relay_broker.h).
//
// The session ends by itself after any Failure or NicknameTaken (nothing
// follows them); destroying it leaves the room and closes the line, waiting
// at most a moment for the goodbye to go out (not at all after the session
// ended by itself). The thread finishes on its own if it is held up (a name
// lookup, a frozen server) and reports nothing more; a program that ends
// meanwhile waits a moment for it, so the goodbye is not cut short.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "frontend/lobby/game_listing.h"
#include "frontend/lobby/join_answer.h"
#include "frontend/lobby/lobby_events.h"
#include "frontend/lobby/lobby_server.h"

namespace lobby {

// Called on the session's thread, never after the session is destroyed.
using EventSink = std::function<void(LobbyEvent)>;
// Every piece of the stream as libstrophe logs it ("SENT: ..." and
// "RECV: ..."), on the session's thread: for tests that must see what a
// client really received, and for debugging a lobby.
using TrafficTap = std::function<void(const std::string&)>;

class XmppSession {
public:
    XmppSession(const LobbyServer& server, const QString& nickname, EventSink sink, TrafficTap tap = {});
    ~XmppSession();
    XmppSession(const XmppSession&) = delete;
    XmppSession& operator=(const XmppSession&) = delete;

    // The game in our presence, or none; sent now if in the room, else on joining.
    void Publish(const std::optional<GameListing>& game);
    void SendChat(const QString& text);
    void AskToJoin(const QString& host);
    // Refused (and logged) unless that occupant asked us.
    void AnswerJoin(const QString& player, const JoinAnswer& answer);
    // Sets up a line to the occupant through the server's relay.
    void OfferRelay(const QString& occupant);

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace lobby
