// The lobby as a program that hosts and joins games uses it: the window and
// the computer player each hold one Matchmaker beside their FrontendCore.
// It signs in, keeps this machine's hosted game listed while it is open
// (publishing its seats and state as they change, withdrawing it when it
// closes, never while "friends only"), answers a player who asks to join
// with the address to connect to, and joins a listed game the ordinary way:
// ask the host, then OnlineGame::Join with the address it answered.
//
// The game's state is read, not heard: a timer compares the listing the
// online game would show now with the one published, so nothing in the
// session has to know about the lobby, and a lobby that is gone never
// touches a match in progress.
//
//   Matchmaker lobby(core, observer);
//   lobby.SignIn(LobbyServerAt("lobby.example.org"), "Ana");
//   ... core.Online().Host(...)            the listing appears by itself
//   lobby.Join("Bob", password)            -> observer hears JoinFailed or the game starts
//   lobby.QuickMatch(portText)             joins the oldest open game or hosts one
#pragma once

#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "frontend/lobby/lobby_client.h"
#include "frontend/session/frontend_core.h"

namespace lobby {

// Why a join from the lobby did not start.
enum class JoinFailure {
    NotListed,        // that host lists no game (any more)
    OtherVersion,     // the host runs another version of the program
    NoAnswer,         // the host did not answer with an address in time
    NotSignedIn,
    Busy,             // this machine is in a game, a practice or a join already
};

// What the window or the bot shows; every lobby report passes through
// unchanged, in order, after the matchmaker has acted on it.
class MatchmakerObserver {
public:
    virtual ~MatchmakerObserver() = default;
    virtual void LobbyReport(const LobbyEvent& event) = 0;
    virtual void JoinFailed(const QString& host, JoinFailure why) = 0;
};

class Matchmaker : public LobbyListener {
public:
    Matchmaker(FrontendCore& core, MatchmakerObserver& observer);
    ~Matchmaker() override;

    bool SignIn(const LobbyServer& server, const QString& nickname);
    void SignOut();
    LobbyClient& Client() { return client_; }

    // A hosted game that is "friends only" is not listed (and withdrawn
    // when it was).
    void SetFriendsOnly(bool friendsOnly);

    // Asks host where to connect and joins there with password.
    void Join(const QString& host, const QString& password);

    // "Jogar online agora": joins the oldest waiting game of this version
    // without a password; with none, hosts one on portText (which is then
    // listed) and waits. False, with nothing started, when not signed in or
    // busy, or the game could not be hosted.
    bool QuickMatch(const QString& portText);

    // LobbyListener.
    void LobbyReport(const LobbyEvent& event) override;

private:
    FrontendCore& core_;
    MatchmakerObserver& observer_;
    LobbyClient client_{*this};
};

// The listing this machine's session shows now; nullopt when it hosts
// nothing. openedAt is when hosting began.
std::optional<GameListing> ListingOfHostedGame(const OnlineGame& game, int64_t openedAt);

// The host quick match joins: the oldest waiting game of version without a
// password that has a free seat, not our own; nullopt when there is none.
std::optional<QString> QuickMatchHost(const std::map<QString, GameListing>& games,
                                      const QString& version, const QString& ownNickname);

}  // namespace lobby
