#include "frontend/net/online_host.h"

#include <algorithm>

#include "frontend/net/table_positions.h"
#include "frontend/wire/shot_limits.h"
#include "frontend/wire/wire_text.h"

namespace {
constexpr int kMaxClientConnections = 4;
}  // namespace

OnlineHost::OnlineHost(OnlineContext& context)
    : c_(context), keeper_(context, [this](int slot, const QString& name) { Drop(slot, name); }) {}

// ---- opening and closing ------------------------------------------------------

bool OnlineHost::Open(quint16 port, const QString& password) {
    if (!c_.link.Listen(port)) return false;
    password_ = password;
    c_.session = Session::Hosting;
    c_.view.SetConnectionPanelVisible(false);
    c_.chat.Clear();
    c_.board.Reset();
    c_.match = MatchState{};
    c_.FillEmptyNickname();
    const int slot = c_.board.Seat(c_.nickname, -1, 0, true);
    c_.board.Slots()[slot].connectionId = kHostConnection;
    return true;
}

void OnlineHost::Close(bool quiet) {
    verifyReferences_.Clear();
    keeper_.Clear();
    if (!quiet) c_.link.Broadcast(wire::kEnds, -1);
    c_.link.StopHosting();  // pending bytes are written before each close
}

// ---- what the clients send ------------------------------------------------------

void OnlineHost::OnMessages(int connectionId, const std::vector<QByteArray>& messages) {
    bool packetError = false;
    for (const QByteArray& message : messages) {
        // A message may have closed this very connection (a kick, the end of the game).
        if (!c_.link.IsConnectionOpen(connectionId)) break;
        if (Dispatch(connectionId, message) == Handled::PacketError) packetError = true;
    }
    if (packetError) OnPacketError();
}

Handled OnlineHost::Dispatch(int connectionId, const QByteArray& message) {
    const wire::Message m = wire::SplitMessage(message);
    if (m.payload.size() < wire::MinimumPayload(m.command, wire::Direction::FromClient)) {
        qWarning("network: short %s from connection %d dropped", m.command.constData(),
                 connectionId);
        return Handled::PacketError;
    }
    if (m.command == wire::kNick) {
        Admit(connectionId, m.payload);
        return Handled::Ok;
    }
    // Only admitted players take part; anything else from a connection
    // without a slot is ignored.
    const int senderSlot = c_.board.Slots().FindConnection(connectionId);
    if (senderSlot == 0) return Handled::Ok;

    if (m.command == wire::kQuit) {
        // The sender leaves its own slot, whatever name it wrote.
        const QString name = c_.board.Slots()[senderSlot].name;
        c_.link.Broadcast(wire::kLeft + ToWireText(name), connectionId);
        Remove(senderSlot, name, LeaveReason::Left);
    } else if (m.command == wire::kText) {
        c_.link.Broadcast(message, connectionId);
        c_.chat.ShowChatLine(FromWireText(m.payload));
    } else if (const std::optional<GameEvent> move = DecodeMove(m)) {
        TakeMove(connectionId, senderSlot, m, *move);
    } else if (m.command == wire::kVerify) {
        if (const auto answer = wire::DecodeVerify(m.payload)) c_.queue.Push(*answer);
    } else if (m.command == wire::kVersionAsk) {
        c_.link.SendToConnection(wire::VersionAnswer(c_.nickname), connectionId);
    } else if (m.command == wire::kVersionAnswer) {
        c_.chat.ShowChatLine(FromWireText(m.payload));
    } else if (m.command == wire::kResyncRequest) {
        QueueSyncForAllClients();
        c_.chat.ShowChatLine(QStringLiteral("Game resync requested."));
    } else if (m.command == wire::kShout) {
        c_.link.Broadcast(wire::kShout, connectionId);
        c_.chat.PlayChatEffect(kEffectShout);
    }
    return Handled::Ok;
}

// ---- moves ------------------------------------------------------------------------

int OnlineHost::SideToMove() const {
    if (!c_.match.running) return -1;
    // Turn changes already taken from the mover still wait in the queue;
    // each will hand the move to the other side.
    const bool turnPending = c_.queue.Count<event::PassTurn>() % 2 != 0;
    return c_.table.SideToMove() ^ (turnPending ? 1 : 0);
}

const char* OnlineHost::MoveRefusal(int senderSlot, const GameEvent& move) const {
    if (keeper_.MatchWaits()) return "the match waits for a player whose line broke";
    const int side = SideToMove();
    const int mover = side == 0 ? c_.match.greenSlot : side == 1 ? c_.match.redSlot : 0;
    if (senderSlot != mover) return "not the player to move";
    const auto* shot = std::get_if<event::Shot>(&move);
    if (shot && !wire::IsPlayableShot(*shot, side)) return "not a shot the game could make";
    return nullptr;
}

// An aim, a turn change or a shot is applied here and relayed to the others,
// as it came, only when it comes from the player to move; anything else is
// dropped with a warning and the match goes on.
void OnlineHost::TakeMove(int connectionId, int senderSlot, const wire::Message& m,
                          const GameEvent& move) {
    if (const char* reason = MoveRefusal(senderSlot, move)) {
        qWarning("network: %s from %s in slot %d refused: %s", m.command.constData(),
                 qUtf8Printable(c_.board.Slots()[senderSlot].name), senderSlot, reason);
        return;
    }
    c_.queue.Push(move);
    c_.link.Broadcast(
        m.command + m.payload.left(wire::MinimumPayload(m.command, wire::Direction::FromClient)),
        connectionId);
}

// ---- admission ----------------------------------------------------------------

void OnlineHost::Admit(int connectionId, const QByteArray& payload) {
    if (c_.link.OpenConnectionCount() > kMaxClientConnections) {
        c_.link.SendRawToConnection(wire::RefusalFrame(wire::kFull), connectionId);
        return;
    }
    const wire::Login login = wire::DecodeLogin(payload);
    if (!password_.isEmpty() && login.password != password_) {
        c_.link.SendRawToConnection(wire::RefusalFrame(wire::kBadPassword), connectionId);
        return;
    }
    if (const int awaited = keeper_.AwaitedSlot(login.name)) {
        ReturnToSeat(connectionId, awaited);
        return;
    }
    // A name that could not travel back in "ENTR:"/"ENT2:" is refused as taken.
    const int slot = IsNicknameUsable(login.name) ? c_.board.Seat(login.name, -1, 0, true) : -1;
    if (slot == -1) {
        c_.link.SendRawToConnection(wire::RefusalFrame(wire::kNameTaken), connectionId);
        ProbeLineOfName(login.name);
        return;
    }
    c_.link.Broadcast(wire::kEntered + wire::EncodeSlotEntry({login.name, slot, 0}, false),
                      connectionId);
    SendSeat(connectionId, slot);
    if (!c_.match.running) c_.view.SetStartEnabled(true);
    c_.Tell(session::PlayerSeated{slot});
}

void OnlineHost::SendSeat(int connectionId, int slot) {
    PlayerSlots& slots = c_.board.Slots();
    c_.link.SendToConnection(wire::kSlotId + QByteArray::number(slot), connectionId);
    slots[slot].connectionId = connectionId;
    c_.board.MarkRelayed(slot, c_.link.IsConnectionRelayed(connectionId));
    verifyReferences_.Forget(slot);
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if (s == slot) continue;
        c_.link.SendToConnection(
            wire::kSlotEntry + wire::EncodeSlotEntry({slots[s].name, s, slots[s].wins}, true),
            connectionId);
    }
    if (!c_.match.running) return;
    c_.link.SendToConnection(
        wire::kInit + wire::EncodeInit({static_cast<uint8_t>(c_.match.greenSlot),
                                        static_cast<uint8_t>(c_.match.redSlot), c_.match.seed}),
        connectionId);
    c_.queue.Push(event::SendSync{connectionId});
}

// A player whose own end of the line was reset comes back while this end
// of the old line still looks open, and is refused as the name's holder.
// The old line is probed: a dead one fails within a round trip and the seat
// is held, so the player's next try takes it back; a live one answers and
// nothing changes.
void OnlineHost::ProbeLineOfName(const QString& name) {
    const int holder = c_.board.Slots().FindExact(name);
    if (holder != 0) c_.link.ProbeConnection(c_.board.Slots()[holder].connectionId);
}

// The others still show the player in the seat: nobody is told of a join.
void OnlineHost::ReturnToSeat(int connectionId, int slot) {
    SendSeat(connectionId, slot);
    keeper_.Return(slot, connectionId);
    verifyReferences_.Forget(slot);
    // Whoever moved while the match stood still gets the table as it stands.
    for (int id : c_.link.ConnectionIds())
        if (id != connectionId) c_.queue.Push(event::SendSync{id});
}

// ---- leaving, dropping and kicking ----------------------------------------------

void OnlineHost::OnConnectionError(int connectionId) {
    // A player who left with "QUIT:" has no slot any more: nothing to do.
    const int slot = c_.board.Slots().FindConnection(connectionId);
    if (slot == 0) return;
    if (keeper_.WouldHold(slot)) {
        keeper_.Hold(slot);
        return;
    }
    Drop(slot, c_.board.Slots()[slot].name);
}

void OnlineHost::Drop(int slot, QString name) {
    c_.link.Broadcast(wire::kTimedOut + ToWireText(name), -1);
    Remove(slot, name, LeaveReason::Dropped);
}

void OnlineHost::Kick(const QString& name) {
    const int slot = c_.board.Slots().FindByName(name);
    if (slot == 0) return;
    // The others must know the player by name again before the kick names it.
    keeper_.Release(slot);
    const int connectionId = c_.board.Slots()[slot].connectionId;
    if (c_.link.IsConnectionOpen(connectionId)) {
        c_.link.Broadcast(wire::kKickedOther + ToWireText(name), connectionId);
        c_.link.SendRawToConnection(wire::RefusalFrame(wire::kKicked), connectionId);
        c_.link.CloseConnection(connectionId);
        Remove(slot, name, LeaveReason::Kicked);
    } else if (name.compare(c_.nickname, Qt::CaseInsensitive) != 0) {
        c_.link.Broadcast(wire::kKickedOther + ToWireText(name), -1);
        Remove(slot, name, LeaveReason::Kicked);
    }
}

void OnlineHost::Remove(int slot, const QString& announcedName, LeaveReason reason) {
    keeper_.Release(slot);
    c_.board.Free(slot, announcedName, reason);
    RepairAfterLeave();
}

void OnlineHost::RepairAfterLeave() {
    const PlayerSlots& slots = c_.board.Slots();
    if (slots.OnlyHostLeft()) {
        c_.ReturnToIdleTable();
        return;
    }
    MatchState& match = c_.match;
    if (match.greenSlot == 0) return;
    const bool greenStays = slots.IsOccupied(match.greenSlot);
    const bool redStays = slots.IsOccupied(match.redSlot);
    if (greenStays && redStays) return;
    match.winnerSlot = greenStays ? match.greenSlot : match.redSlot;
    // The pairing starts now; a countdown still running would start a second one.
    match.countdown.reset();
    NextMatch();
}

// ---- matches ------------------------------------------------------------------

void OnlineHost::StartFirstMatch() {
    for (int s = 2; s <= kPlayerSlotCount; ++s) {
        if (c_.board.Slots().IsOccupied(s)) {
            StartMatch(1, s);
            return;
        }
    }
    c_.view.Beep();
}

void OnlineHost::StartMatch(int green, int red) {
    const int seed = RandomNumberBelow999();
    c_.link.Broadcast(wire::kInit + wire::EncodeInit({static_cast<uint8_t>(green),
                                                      static_cast<uint8_t>(red), seed}),
                      -1);
    c_.BeginMatch(green, red, seed, 1);
    c_.board.Slots().CountMatchStart(green, red);
    c_.view.SetStartEnabled(false);
}

void OnlineHost::NextMatch() {
    const MatchState& match = c_.match;
    if (match.winnerSlot == kNoWinnerSlot) {
        StartMatch(match.redSlot, match.greenSlot);
        return;
    }
    const int challenger =
        c_.board.Slots().ChooseChallenger(match.winnerSlot, match.greenSlot, match.redSlot);
    if (challenger != 0) StartMatch(match.winnerSlot, challenger);
}

// ---- synchronisation ------------------------------------------------------------

void OnlineHost::VerifySync() {
    c_.queue.Push(event::VerifyReference{});
    c_.link.Broadcast(wire::kVerify, -1);
}

void OnlineHost::KeepVerifyReference(const wire::Positions& own) {
    verifyReferences_.Take(own);
}

void OnlineHost::CompareWithClient(const wire::Verify& answer, const wire::Positions& own) {
    const QString id = FromWireText(answer.id);
    const std::optional<wire::Positions> asked = verifyReferences_.TakeFor(id.toInt());
    const int differing = std::min(CountDifferingDiscs(asked.value_or(own), answer.positions),
                                   CountDifferingDiscs(own, answer.positions));
    if (differing == 0) {
        c_.chat.ShowChatLine(QStringLiteral("No desync at ID ") + id);
    } else {
        c_.chat.ShowChatLine(QString::number(differing) +
                             QStringLiteral(" disc(s) desynchronized at ID ") + id);
        c_.view.Beep();
    }
}

void OnlineHost::SendSync(int connectionId, const wire::Sync& table) {
    c_.link.SendToConnection(wire::kSync + wire::EncodeSync(table), connectionId);
    keeper_.TableSent(connectionId);
}

void OnlineHost::QueueSyncForAllClients() {
    for (int id : c_.link.ConnectionIds()) c_.queue.Push(event::SendSync{id});
}

void OnlineHost::DumpEveryTable() {
    c_.link.Broadcast(wire::kDump, -1);
    c_.screen.SaveDump();
}

void OnlineHost::OnPacketError() {
    c_.chat.ShowChatLine(QStringLiteral("Packet Error"));
    c_.chat.ShowChatLine(QStringLiteral("Game desync. The game will be re-synchronized."));
    QueueSyncForAllClients();
}
