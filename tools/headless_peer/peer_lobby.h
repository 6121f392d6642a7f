// The headless peer at the online lobby, as the window is: a matchmaker
// beside the core, signed in under the peer's name, that lists the game the
// peer hosts and joins a listed game as "Join" does (directly, or through
// the lobby's relay when the host cannot be reached). Every lobby report
// it acts on is printed as one line:
//
//   LOBBY NICK            signed in              LOBBYLOST DETAIL   the lobby went away
//   LISTED HOST           a game is listed       UNLISTED HOST      it is not any more
//   RELAYED OCCUPANT      a relayed line opened  RELAYFAILED OCCUPANT DETAIL
//   JOINFAILED HOST WHY   a join from the lobby did not start
//
// A lobby that went away is signed in to again after a short pause, as the
// window's lobby does when the player opens it again, so that a match whose
// relayed line broke can come back once the lobby is back.
#pragma once

#include <QString>
#include <QTimer>
#include <functional>

#include "frontend/matchmaking/matchmaker.h"

class PeerLobby : public lobby::MatchmakerObserver {
public:
    // Pause before signing in again after the lobby went away.
    static constexpr int kSignInAgainMs = 1000;

    PeerLobby(FrontendCore& core, lobby::LobbyServer server, std::function<void(const QString&)> print);

    // Players who ask are told to connect here (the router's external
    // address) instead of this machine's own address.
    void SetPublicAddress(const QString& address);
    void SignIn(const QString& nickname);
    // "lobbyjoin HOST [PASSWORD]"
    void Join(const QString& host, const QString& password) { matchmaker_.Join(host, password); }

    // MatchmakerObserver.
    void LobbyReport(const lobby::LobbyEvent& event) override;
    void JoinFailed(const QString& host, lobby::JoinFailure why) override;

private:
    lobby::LobbyServer server_;
    std::function<void(const QString&)> print_;
    lobby::Matchmaker matchmaker_;
    QString nickname_;
    QTimer signInAgain_;
};
