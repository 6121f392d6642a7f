// The computer player as a host in the online lobby, so that a lobby is never
// empty: it signs in (under the next free nickname when its own is taken),
// keeps a listed game open, starts the match as soon as a player sits, and
// after each match closes the game and hosts a new one, which the lobby then
// shows waiting again. A lobby that goes away is signed in to again after a
// pause; a match in progress goes on meanwhile.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "frontend/matchmaking/matchmaker.h"
#include "frontend/session/frontend_core.h"

// The nickname of the attempt-th try: the name itself first, then NAME2,
// NAME3..., shortened to leave room for the number. A name that ends in
// digits may come round again ("Computer10", then "Computer10" at the
// tenth try); the host skips the names it tried.
QString NicknameAttempt(const QString& name, int attempt);

class LobbyHost : public lobby::MatchmakerObserver {
public:
    using Report = std::function<void(const QString& line)>;
    // A lobby that went away is tried again after this.
    static constexpr int kSignInAgainMs = 10000;
    // Names tried before the lobby counts as refusing us.
    static constexpr int kMostNicknames = 50;

    // port 0 lets the system choose one for each game. The result of a
    // match stays shown for resultMs before the game closes.
    LobbyHost(FrontendCore& core, lobby::LobbyServer server, QString name, quint16 port,
              QString password, int resultMs, Report report);

    // Players who ask are told to connect here instead of this machine's
    // own address.
    void SetPublicAddress(const QString& address);
    void SignIn();
    // Once per tick of the frame loop.
    void Poll();
    // The core's session events, handed on by the program.
    void OnSessionEvent(const SessionEvent& event);
    // False until the first game is open; a port that cannot be opened
    // ends the program.
    bool HostFailed() const { return hostFailed_; }

    // MatchmakerObserver.
    void LobbyReport(const lobby::LobbyEvent& event) override;
    void JoinFailed(const QString&, lobby::JoinFailure) override {}  // it never joins

private:
    void Host();
    void HostAgain();
    // The next nickname not tried since the last sign-in that got in;
    // empty when kMostNicknames were tried.
    QString NextNickname();

    FrontendCore& core_;
    lobby::LobbyServer server_;
    QString name_;
    quint16 port_;
    QString password_;
    int resultMs_;
    Report report_;
    lobby::Matchmaker matchmaker_{core_, *this};
    int attempt_ = 1;
    QStringList tried_;
    QString nickname_;  // the one signing in now
    bool hostFailed_ = false;
    bool matchWasRunning_ = false;
    QTimer signInAgain_;
    QTimer hostAgain_;
};
