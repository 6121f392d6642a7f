// The client's half of an online game: connecting and logging in, the
// host's messages, the slot the host gave this machine, matches started by
// the host, and asking for the table when a frame arrived damaged.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "frontend/net/host_lookup.h"
#include "frontend/net/online_context.h"
#include "frontend/net/reconnector.h"

class OnlineClient {
public:
    explicit OnlineClient(OnlineContext& context);

    // How long a player of the match whose line broke tries to come back;
    // 0 gives up at once.
    void SetReconnectSeconds(int seconds) { reconnector_.SetWindowSeconds(seconds); }
    bool Reconnecting() const { return reconnector_.Active(); }

    // address: an IP address or a host name, looked up first.
    void Connect(const QString& address, quint16 port, const QString& password);
    void SetHostResolver(HostResolver resolver, int timeLimitMs) {
        lookup_.SetResolver(std::move(resolver), timeLimitMs);
    }
    // Says goodbye to the host (unless quiet) and closes the connection.
    void Close(bool quiet);

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
    void BeginReconnecting();
    void AttemptReconnect();
    // An attempt failed; a host that refuses the connection outright is
    // gone (its program ended), so the way back ends there.
    void ReconnectFailed(bool hostGone);
    void GiveUpReconnecting();

    OnlineContext& c_;
    HostLookup lookup_;
    Reconnector reconnector_;
    QList<QHostAddress> hostAddresses_;  // what the join found, for the way back
    quint16 hostPort_ = 0;
    QString password_;  // sent with the name
    int mySlot_ = 0;    // 0 until the host has given one
    bool resyncRequested_ = false;
    bool showDropMessage_ = true;  // false once kicked: the kick has its own message
};
