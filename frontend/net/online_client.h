// The client's half of an online game: connecting and logging in, the
// host's messages, the slot the host gave this machine, matches started by
// the host, and asking for the table when a frame arrived damaged.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

#include "frontend/net/farewell.h"
#include "frontend/net/host_lookup.h"
#include "frontend/net/online_context.h"
#include "frontend/net/reconnector.h"

// How a join that has another way to go hears that the direct one failed.
struct ConnectFallback {
    int timeLimitMs;
    std::function<void()> failed;
};

class OnlineClient {
public:
    explicit OnlineClient(OnlineContext& context);

    // How long a player of the match whose line broke tries to come back;
    // 0 gives up at once.
    void SetReconnectSeconds(int seconds) { reconnector_.SetWindowSeconds(seconds); }
    // From the break until the seat is back: while this machine's own shot
    // still rolls, then while it tries to come back.
    bool Reconnecting() const { return finishingOwnShot_ || reconnector_.Active(); }

    // address: an IP address or a host name, looked up first. With a
    // fallback, the connection has fallback.timeLimitMs to come, and a
    // failed look-up or connection is handed to fallback.failed instead of
    // being told to the player: the join goes on another way.
    void Connect(const QString& address, quint16 port, const QString& password,
                 std::optional<ConnectFallback> fallback = std::nullopt);
    // Joins over a line already connected to the host (the lobby's relay):
    // the login, password and seat follow as after a direct connection.
    // The way back after a break goes the same way: redial asks for a new
    // line, which comes to ReconnectOverLine, or RedialFailed.
    void ConnectOverLine(int fd, const QString& password, std::function<void()> redial);
    void ReconnectOverLine(int fd);
    void RedialFailed();
    // Whether the line to the host goes through the lobby's relay.
    bool Relayed() const { return relayed_; }
    void SetHostResolver(HostResolver resolver, int timeLimitMs) {
        lookup_.SetResolver(std::move(resolver), timeLimitMs);
    }
    // Says goodbye to the host (unless quiet) and closes the connection.
    // A player who gives up coming back says it over a new line (farewell.h).
    void Close(bool quiet);
    // A game event of this machine for the host; while the line is down
    // only this machine's turn change is kept, for the way back.
    void SendGameMessage(const QByteArray& message);

    void OnConnected();
    void OnConnectFailed();
    void OnConnectionLost();
    void OnMessages(const std::vector<QByteArray>& messages);

    void OnPacketError();
    // A table sent by the host has been applied.
    void ReportSyncApplied();

    int MySlot() const { return mySlot_; }

private:
    Handled Dispatch(const QByteArray& message);
    static std::optional<GameEvent> DecodeGameEvent(const wire::Message& m);
    void TakeSlot(const QByteArray& payload);
    void PlacePlayer(const QByteArray& payload, bool withWins);
    void RemoveNamed(const QByteArray& payload, LeaveReason reason);
    void StartMatch(const QByteArray& payload);
    void LeaveQuietly(SessionEnd reason);
    void RefusedByHost(UiText message);
    void OnLookedUp(const LookupResult& result, quint16 port);
    // The join under way failed before it connected: its fallback goes on,
    // or the player is told what (why).
    void JoinFailed(UiText why);
    void BeginReconnecting();
    // Once this machine's own shot is at rest, with its turn decided here.
    void OwnShotAtRest();
    void StartComingBack();
    void StopComingBack();
    // The turn this machine's shot passed while the line was down, told to
    // the host once it is back, if the host's table is that shot's.
    void PassTurnMadeAway();
    void AttemptReconnect();
    // An attempt failed; a host that refuses the connection outright is
    // gone (its program ended), so the way back ends there.
    void ReconnectFailed(bool hostGone);
    void GiveUpReconnecting();

    OnlineContext& c_;
    HostLookup lookup_;
    Reconnector reconnector_;
    Farewell farewell_;
    // The line broke while this machine's shot rolled: only this machine
    // decides whether that shot passes the turn, so it keeps its seat until
    // the table rests, and only then watches and tries to come back (a
    // match sent by the host on the way back would lay the table afresh).
    bool finishingOwnShot_ = false;
    QTimer restWatch_;
    bool turnPassedAway_ = false;
    std::optional<wire::Positions> tableLeft_;  // as it rested after that shot
    QList<QHostAddress> hostAddresses_;  // what the join found, for the way back
    quint16 hostPort_ = 0;
    QString password_;  // sent with the name
    int mySlot_ = 0;    // 0 until the host has given one
    bool resyncRequested_ = false;
    bool showDropMessage_ = true;  // false once kicked: the kick has its own message
    std::optional<ConnectFallback> fallback_;  // of the join under way
    // The fallback's time limit, running from the join on: a slow look-up
    // of the host's name spends the same time as a slow connection.
    QTimer fallbackLimit_;
    bool relayed_ = false;
    std::function<void()> redial_;  // of a relayed line
};
