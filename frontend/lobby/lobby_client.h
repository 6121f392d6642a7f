// The lobby as the window and the computer player use it. One object, owned
// on a thread with a Qt event loop (the window's); every call returns at once
// and every report comes later, queued on that loop, in order, through the
// listener. All XMPP runs on a thread of its own (xmpp_session.h), so a lobby
// that vanishes or misbehaves never holds up the caller.
//
//   LobbyClient lobby(listener);
//   lobby.SignIn(LobbyServerAt("lobby.example.org"), "Ana");
//        -> SignedIn("Ana")  or NicknameTaken("Ana") (ask for another and sign in again)
//                            or Failure{kind, detail} (show it; sign in again later)
//        -> GameSeen / GameGone as games open, change and close (Games() holds the list)
//        -> ChatHeard(occupant, text) for every line of the room, our own included
//   lobby.PublishGame(listing)  each time seats or state change; WithdrawGame() when it closes
//   lobby.SendChat(line)        answers at once why a line cannot go (ChatRefusal)
//   lobby.AskToJoin("Ana")      -> JoinAnswered("Ana", {host, port}): connect there, the usual way
//   host side:  JoinAsked("Bob") -> lobby.AnswerJoin("Bob", {external address, port})
//   lobby.OfferRelay("Ana")     -> RelayReady("Ana", socket) or RelayFailed("Ana", why);
//                                  Bob speaks first on it; Ana's side, while it lists a game,
//                                  then gets RelayReady("Bob", socket)
//   lobby.SignOut()             leaves the room; no report follows
//
// After a Failure or NicknameTaken the client is signed out, its list empty.
// Reports of a session that was signed out are never delivered.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <optional>

#include "frontend/lobby/lobby_chat_rules.h"
#include "frontend/lobby/lobby_events.h"
#include "frontend/lobby/lobby_server.h"
#include "frontend/lobby/xmpp_session.h"

namespace lobby {

class LobbyListener {
public:
    virtual ~LobbyListener() = default;
    // GameSeen only for a new or changed listing, GameGone only for one that
    // was listed; Games() already holds the change.
    virtual void LobbyReport(const LobbyEvent& event) = 0;
};

enum class LobbyStatus { Out, SigningIn, In };

class LobbyClient {
public:
    explicit LobbyClient(LobbyListener& listener);
    ~LobbyClient();
    LobbyClient(const LobbyClient&) = delete;
    LobbyClient& operator=(const LobbyClient&) = delete;

    // Ends any earlier session first. False (logged, nothing reported) for a
    // nickname the room's lists could not show.
    bool SignIn(const LobbyServer& server, const QString& nickname, TrafficTap tap = {});
    void SignOut();
    LobbyStatus Status() const { return status_; }

    // Lists this machine's game, or updates its listing; kept across a
    // sign-in that follows. False (logged) for a listing others would drop.
    bool PublishGame(const GameListing& game);
    void WithdrawGame();

    ChatRefusal SendChat(const QString& line);
    // False when not in the lobby or that occupant lists no game.
    bool AskToJoin(const QString& host);
    // Sent only to a player who asked this host.
    void AnswerJoin(const QString& player, const JoinAnswer& answer);
    // A line to the occupant through the lobby server's relay, for when no
    // direct connection can be made. False when not in the lobby.
    bool OfferRelay(const QString& occupant);

    // The listed games by their host's nickname.
    const std::map<QString, GameListing>& Games() const { return games_; }

private:
    void Deliver(LobbyEvent event);

    LobbyListener& listener_;
    QObject receiver_;  // where the session's reports are queued
    std::unique_ptr<XmppSession> session_;
    uint64_t generation_ = 0;  // of the current session; older reports are dropped
    LobbyStatus status_ = LobbyStatus::Out;
    std::optional<GameListing> published_;
    std::map<QString, GameListing> games_;
    ChatRate chatRate_;
    QElapsedTimer clock_;
};

}  // namespace lobby
