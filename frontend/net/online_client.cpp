#include "frontend/net/online_client.h"

#include <unistd.h>

#include "frontend/wire/wire_text.h"

namespace {
// How often a shot that rolled on when the line broke is looked at.
constexpr int kRestWatchMs = 10;
}  // namespace

OnlineClient::OnlineClient(OnlineContext& context)
    : c_(context),
      reconnector_({[this] { AttemptReconnect(); },
                    [this](int secondsLeft) {
                        c_.chat.ShowChatLine(c_.Text(UiText::StillReconnecting)
                                                 .arg(QString::number(secondsLeft)));
                    },
                    [this] { GiveUpReconnecting(); }}) {
    fallbackLimit_.setSingleShot(true);
    QObject::connect(&fallbackLimit_, &QTimer::timeout, [this] {
        if (c_.session != Session::Connecting || !fallback_) return;
        lookup_.Cancel();
        c_.link.Disconnect();
        JoinFailed(UiText::ConnectionFailed);
    });
    restWatch_.setInterval(kRestWatchMs);
    QObject::connect(&restWatch_, &QTimer::timeout, [this] {
        if (!c_.table.IsMoving()) OwnShotAtRest();
    });
}

// ---- the connection -------------------------------------------------------------

void OnlineClient::Connect(const QString& address, quint16 port, const QString& password,
                           std::optional<ConnectFallback> fallback) {
    password_ = password;
    fallback_ = std::move(fallback);
    if (fallback_) {
        fallbackLimit_.start(fallback_->timeLimitMs);
    } else {
        fallbackLimit_.stop();
    }
    relayed_ = false;
    redial_ = nullptr;
    c_.session = Session::Connecting;
    c_.view.SetConnecting(true);
    lookup_.Start(address, [this, port](const LookupResult& result) { OnLookedUp(result, port); });
}

void OnlineClient::ConnectOverLine(int fd, const QString& password, std::function<void()> redial) {
    password_ = password;
    fallback_.reset();
    relayed_ = true;
    redial_ = std::move(redial);
    // No address to come back to: a broken relayed line is not retried
    // directly, where the host could not be reached in the first place.
    hostAddresses_.clear();
    hostPort_ = 0;
    c_.session = Session::Connecting;
    c_.view.SetConnecting(true);
    if (!c_.link.AdoptHostConnection(fd)) JoinFailed(UiText::ConnectionFailed);
}

void OnlineClient::OnLookedUp(const LookupResult& result, quint16 port) {
    if (c_.session != Session::Connecting) return;
    if (result.failure == LookupFailure::None) {
        hostAddresses_ = result.addresses;
        hostPort_ = port;
        // With a fallback, its own limit ends the whole try.
        c_.link.ConnectToHost(result.addresses, port,
                              fallback_ ? fallback_->timeLimitMs : NetworkLink::kConnectTimeoutMs);
        return;
    }
    JoinFailed(result.failure == LookupFailure::TimedOut ? UiText::LookupTimedOut
                                                         : UiText::HostNotFound);
}

void OnlineClient::JoinFailed(UiText why) {
    c_.session = Session::Offline;
    c_.view.SetConnecting(false);
    if (fallback_) {
        const ConnectFallback fallback = std::move(*fallback_);
        fallback_.reset();
        fallback.failed();
        return;
    }
    c_.view.ShowMessage(c_.Text(why));
    c_.Tell(session::Ended{SessionEnd::ConnectFailed});
}

void OnlineClient::Close(bool quiet) {
    lookup_.Cancel();
    fallback_.reset();
    const bool away = Reconnecting();
    StopComingBack();
    const QByteArray quit = wire::kQuit + ToWireText(c_.nickname);
    if (!quiet && away) {
        farewell_.Send(hostAddresses_, hostPort_,
                       {wire::kNick + wire::EncodeLogin({c_.nickname, password_}), quit});
    } else if (!quiet && c_.session == Session::Joined) {
        c_.link.SendToHost(quit);
    }
    c_.link.Disconnect();  // pending bytes are written before the close
    showDropMessage_ = true;
}

void OnlineClient::SendGameMessage(const QByteArray& message) {
    if (!Reconnecting()) {
        c_.link.SendToHost(message);
        return;
    }
    if (message == wire::kTurn) turnPassedAway_ = true;
}

void OnlineClient::OnConnected() {
    fallback_.reset();
    // The first way back lays the table afresh: what the shot left is kept.
    if (turnPassedAway_ && !tableLeft_) tableLeft_ = c_.table.ReadPositions();
    c_.view.SetConnecting(false);
    c_.FillEmptyNickname();
    c_.link.SendToHost(wire::kNick + wire::EncodeLogin({c_.nickname, password_}));
    c_.board.Reset();
    // Coming back, the chat keeps what was said.
    if (!Reconnecting()) c_.chat.Clear();
    mySlot_ = 0;
    c_.match = MatchState{};
    c_.session = Session::Joined;
    c_.view.SetConnectionPanelVisible(false);
    c_.ReturnToIdleTable();
}

void OnlineClient::OnConnectFailed() {
    if (Reconnecting()) {
        ReconnectFailed(c_.link.LastAttemptRefused());
        return;
    }
    if (c_.session != Session::Connecting) return;
    JoinFailed(UiText::ConnectionFailed);
}

// The host closed the game's connection or the line broke; no match goes on
// without the host, and a stale one would make this machine ask for a resync
// in the next game before it even has a slot.
void OnlineClient::OnConnectionLost() {
    const bool kicked = !showDropMessage_;
    if (Reconnecting()) {
        ReconnectFailed(false);  // let in and lost again before a seat: try once more
        return;
    }
    if (!kicked && c_.match.IsPlayedBy(mySlot_) && reconnector_.WindowSeconds() > 0) {
        BeginReconnecting();
        return;
    }
    if (!kicked) c_.view.ShowMessage(c_.Text(UiText::ConnectionLost));
    showDropMessage_ = true;
    c_.EndSession(kicked ? SessionEnd::Kicked : SessionEnd::ConnectionLost);
}

// The table stays as it was, with this machine only watching, until the
// host sends the match again.
void OnlineClient::BeginReconnecting() {
    c_.queue.Clear();
    turnPassedAway_ = false;
    tableLeft_.reset();
    c_.chat.ShowChatLine(
        c_.Text(UiText::Reconnecting).arg(QString::number(reconnector_.WindowSeconds())));
    if (c_.table.IsMoving() && c_.table.SideToMove() == c_.table.LocalSeat()) {
        finishingOwnShot_ = true;
        restWatch_.start();
        return;
    }
    StartComingBack();
}

void OnlineClient::OwnShotAtRest() {
    restWatch_.stop();
    finishingOwnShot_ = false;
    StartComingBack();
}

void OnlineClient::StartComingBack() {
    c_.queue.Clear();  // a shot taken in the moment before the seat was left
    c_.table.SetLocalSeat(kWatchingSide);
    reconnector_.Start();
}

void OnlineClient::StopComingBack() {
    restWatch_.stop();
    finishingOwnShot_ = false;
    reconnector_.Stop();
}

void OnlineClient::AttemptReconnect() {
    if (relayed_) {
        redial_();
        return;
    }
    c_.link.ConnectToHost(hostAddresses_, hostPort_, Reconnector::kAttemptLimitMs);
}

void OnlineClient::ReconnectOverLine(int fd) {
    if (!reconnector_.Active()) {
        ::close(fd);  // the way back ended before the line came
        return;
    }
    if (!c_.link.AdoptHostConnection(fd)) ReconnectFailed(false);
}

void OnlineClient::RedialFailed() {
    if (reconnector_.Active()) ReconnectFailed(false);
}

void OnlineClient::ReconnectFailed(bool hostGone) {
    c_.link.Disconnect();
    if (hostGone) {
        GiveUpReconnecting();
    } else {
        reconnector_.AttemptFailed();
    }
}

void OnlineClient::GiveUpReconnecting() {
    StopComingBack();
    c_.link.Disconnect();
    c_.view.ShowMessage(c_.Text(UiText::ConnectionLost));
    c_.EndSession(SessionEnd::ConnectionLost);
}

void OnlineClient::LeaveQuietly(SessionEnd reason) {
    Close(true);
    c_.EndSession(reason);
}

void OnlineClient::RefusedByHost(UiText message) {
    LeaveQuietly(SessionEnd::Refused);
    c_.view.ShowMessage(c_.Text(message));
}

// ---- what the host sends ----------------------------------------------------------

void OnlineClient::OnMessages(const std::vector<QByteArray>& messages) {
    bool packetError = false;
    for (const QByteArray& message : messages) {
        if (c_.session != Session::Joined) break;  // the game ended inside this read
        if (Dispatch(message) == Handled::PacketError) packetError = true;
    }
    if (packetError) OnPacketError();
}

Handled OnlineClient::Dispatch(const QByteArray& message) {
    const wire::Message m = wire::SplitMessage(message);
    if (m.payload.size() < wire::MinimumPayload(m.command, wire::Direction::FromHost)) {
        qWarning("network: short %s from the host dropped", m.command.constData());
        return Handled::PacketError;
    }
    const bool admitted = mySlot_ != 0;

    if (m.command == wire::kSlotId) {
        TakeSlot(m.payload);
    } else if (m.command == wire::kSlotEntry || m.command == wire::kEntered) {
        PlacePlayer(m.payload, m.command == wire::kSlotEntry);
    } else if (m.command == wire::kLeft) {
        RemoveNamed(m.payload, LeaveReason::Left);
    } else if (m.command == wire::kKickedOther) {
        RemoveNamed(m.payload, LeaveReason::Kicked);
    } else if (m.command == wire::kTimedOut) {
        RemoveNamed(m.payload, LeaveReason::Dropped);
    } else if (m.command == wire::kKicked) {
        showDropMessage_ = false;
        c_.chat.PlayEffect(kEffectKicked);
        c_.view.ShowMessage(c_.Text(UiText::Kicked));
    } else if (m.command == wire::kText || m.command == wire::kVersionAnswer) {
        c_.chat.ShowChatLine(FromWireText(m.payload));
    } else if (m.command == wire::kEnds) {
        LeaveQuietly(SessionEnd::HostClosed);
    } else if (Reconnecting() && (m.command == wire::kNameTaken || m.command == wire::kFull)) {
        // The host may not have seen the old line break yet.
        ReconnectFailed(false);
    } else if (m.command == wire::kNameTaken) {
        RefusedByHost(UiText::NameTaken);
    } else if (m.command == wire::kFull) {
        RefusedByHost(UiText::ServerFull);
    } else if (m.command == wire::kBadPassword) {
        RefusedByHost(UiText::BadPassword);
    } else if (m.command == wire::kVersionAsk) {
        c_.link.SendToHost(wire::VersionAnswer(c_.nickname));
    } else if (m.command == wire::kShout) {
        c_.chat.PlayChatEffect(kEffectShout);
    } else if (!admitted) {
        // Game traffic relayed to a connection that holds no slot yet.
    } else if (m.command == wire::kInit) {
        StartMatch(m.payload);
    } else if (const std::optional<GameEvent> e = DecodeGameEvent(m)) {
        c_.queue.Push(*e);
    } else if (m.command == wire::kDump) {
        c_.screen.SaveDump();
    }
    return Handled::Ok;
}

// The host's game events, decoded once as they arrive; nullopt for any
// other command.
std::optional<GameEvent> OnlineClient::DecodeGameEvent(const wire::Message& m) {
    if (std::optional<GameEvent> move = DecodeMove(m)) return move;
    if (m.command == wire::kSync) return wire::DecodeSync(m.payload);
    if (m.command == wire::kVerify) return event::AnswerVerify{};
    return std::nullopt;
}

void OnlineClient::TakeSlot(const QByteArray& payload) {
    const auto slot = wire::ParseDecimal(payload);
    if (!slot || !wire::IsPlayerSlot(*slot)) {
        qWarning("network: refused IDJG: \"%s\"", payload.left(16).constData());
        return;
    }
    mySlot_ = *slot;
    const bool back = Reconnecting();
    reconnector_.Stop();
    c_.board.Seat(c_.nickname, mySlot_, 0, !back);
    c_.board.MarkRelayed(mySlot_, relayed_);
    if (back) c_.chat.ShowChatLine(c_.Text(UiText::Reconnected));
    c_.Tell(session::SeatTaken{mySlot_});
}

void OnlineClient::PlacePlayer(const QByteArray& payload, bool withWins) {
    const auto entry = wire::DecodeSlotEntry(payload, withWins);
    if (!entry || !wire::IsPlayerSlot(entry->slot)) {
        qWarning("network: refused %s entry \"%s\"",
                 withWins ? "ENT2:" : "ENTR:", payload.left(32).constData());
        return;
    }
    if (entry->name.isEmpty()) return;
    c_.board.Seat(entry->name, entry->slot, entry->wins, !withWins);
}

// The host names the player who went; of two names that differ only in
// letter case the exact one is meant.
void OnlineClient::RemoveNamed(const QByteArray& payload, LeaveReason reason) {
    const QString name = FromWireText(payload);
    c_.board.Free(c_.board.Slots().FindByName(name), name, reason);
}

void OnlineClient::StartMatch(const QByteArray& payload) {
    const auto init = wire::DecodeInit(payload);
    if (!init) return;
    if (!wire::IsPlayerSlot(init->greenSlot) || !wire::IsPlayerSlot(init->redSlot)) {
        qWarning("network: refused INIT: for slots %d and %d", init->greenSlot, init->redSlot);
        return;
    }
    c_.BeginMatch(init->greenSlot, init->redSlot, init->seed, mySlot_);
}

// ---- repair ---------------------------------------------------------------------

void OnlineClient::OnPacketError() {
    c_.chat.ShowChatLine(QStringLiteral("Packet Error"));
    // Only a player of the running match asks for the table.
    if (!c_.match.IsPlayedBy(mySlot_)) return;
    c_.link.SendToHost(wire::kResyncRequest);
    resyncRequested_ = true;
    c_.chat.ShowChatLine(QStringLiteral("Game desync. Sync request sent."));
}

void OnlineClient::ReportSyncApplied() {
    PassTurnMadeAway();
    if (!resyncRequested_) return;
    c_.chat.ShowChatLine(QStringLiteral("Game re-synchronized."));
    c_.link.SendToHost(wire::kText + "Game re-synchronized at ID " + QByteArray::number(mySlot_));
    resyncRequested_ = false;
}

// The host sends the table as it stands and the side it has to move. If
// that is the table this machine's shot left, the host had the shot but
// never heard the turn pass: it is passed here and told now, as it would
// have been had the line held. A host without the shot has the table from
// before it, and the shot is played again.
void OnlineClient::PassTurnMadeAway() {
    const bool passed = turnPassedAway_ && tableLeft_ &&
                        c_.table.ReadPositions() == *tableLeft_ &&
                        c_.table.SideToMove() == c_.table.LocalSeat();
    turnPassedAway_ = false;
    tableLeft_.reset();
    if (passed && c_.table.PassTurnFromPeer()) c_.link.SendToHost(wire::kTurn);
}
