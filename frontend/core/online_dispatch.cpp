// What a host and a client do with each message they receive.
#include "frontend/core/online_game.h"
#include "frontend/core/wire_text.h"

namespace {

// Commands whose payload must have a minimum length; a shorter one is a
// packet error and is never read.
int MinimumPayload(const QByteArray& command, bool fromHost) {
    if (command == wire::kShot) return wire::kShotBytes;
    if (command == wire::kAim) return wire::kAimBytes;
    if (fromHost && command == wire::kSync) return wire::kSyncBytes;
    if (fromHost && command == wire::kInit) return wire::kMinInitBytes;
    if (!fromHost && command == wire::kVerify) return wire::kPositionBytes;
    return 0;
}

QByteArray VersionAnswer(const QString& name) {
    return wire::kVersionAnswer + ToWireText(name) + " version: " + wire::kVersionString;
}

}  // namespace

void OnlineGame::OnClientMessages(int connectionId, const std::vector<QByteArray>& messages) {
    bool packetError = false;
    for (const QByteArray& message : messages) {
        // A message may have closed this very connection (a kick, the end of the game).
        if (!link_.IsConnectionOpen(connectionId)) break;
        if (DispatchFromClient(connectionId, message) == Handled::PacketError) packetError = true;
    }
    if (packetError) OnPacketError();
}

void OnlineGame::OnHostMessages(const std::vector<QByteArray>& messages) {
    bool packetError = false;
    for (const QByteArray& message : messages) {
        if (!isOnline_) break;  // the game ended inside this read
        if (DispatchFromHost(message) == Handled::PacketError) packetError = true;
    }
    if (packetError) OnPacketError();
}

OnlineGame::Handled OnlineGame::DispatchFromClient(int connectionId, const QByteArray& message) {
    const wire::Message m = wire::SplitMessage(message);
    if (m.payload.size() < MinimumPayload(m.command, false)) {
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
    const int senderSlot = slots_.FindConnection(connectionId);
    if (senderSlot == 0) return Handled::Ok;

    if (m.command == wire::kQuit) {
        // The sender leaves its own slot, whatever name it wrote.
        const QString name = slots_[senderSlot].name;
        link_.Broadcast(wire::kLeft + ToWireText(name), connectionId);
        RemovePlayer(name, 0);
    } else if (m.command == wire::kText) {
        link_.Broadcast(message, connectionId);
        chat_.ShowChatLine(FromWireText(m.payload));
    } else if (m.command == wire::kAim) {
        queue_.Push(queue_entry::kAim, m.payload.left(wire::kAimBytes));
        link_.Broadcast(wire::kAim + m.payload.left(wire::kAimBytes), connectionId);
    } else if (m.command == wire::kTurn) {
        queue_.Push(queue_entry::kTurn);
        link_.Broadcast(wire::kTurn, connectionId);
    } else if (m.command == wire::kShot) {
        queue_.Push(queue_entry::kShot, m.payload.left(wire::kShotBytes));
        link_.Broadcast(wire::kShot + m.payload.left(wire::kShotBytes), connectionId);
    } else if (m.command == wire::kVerify) {
        queue_.Push(queue_entry::kCompare, m.payload);
    } else if (m.command == wire::kVersionAsk) {
        link_.SendToConnection(VersionAnswer(nickname_), connectionId);
    } else if (m.command == wire::kVersionAnswer) {
        chat_.ShowChatLine(FromWireText(m.payload));
    } else if (m.command == wire::kResyncRequest) {
        QueueSyncForAllClients();
        chat_.ShowChatLine(QStringLiteral("Game resync requested."));
    } else if (m.command == wire::kShout) {
        link_.Broadcast(wire::kShout, connectionId);
        chat_.PlayChatEffect(kEffectShout);
    }
    return Handled::Ok;
}

OnlineGame::Handled OnlineGame::DispatchFromHost(const QByteArray& message) {
    const wire::Message m = wire::SplitMessage(message);
    if (m.payload.size() < MinimumPayload(m.command, true)) {
        qWarning("network: short %s from the host dropped", m.command.constData());
        return Handled::PacketError;
    }
    const bool admitted = mySlot_ != 0;

    if (m.command == wire::kSlotId) {
        ClientTakesSlot(m.payload);
    } else if (m.command == wire::kSlotEntry || m.command == wire::kEntered) {
        ClientPlacesPlayer(m.payload, m.command == wire::kSlotEntry);
    } else if (m.command == wire::kLeft) {
        RemovePlayer(FromWireText(m.payload), 0);
    } else if (m.command == wire::kKickedOther) {
        RemovePlayer(FromWireText(m.payload), 1);
    } else if (m.command == wire::kTimedOut) {
        RemovePlayer(FromWireText(m.payload), 2);
    } else if (m.command == wire::kKicked) {
        showDropMessage_ = false;
        chat_.PlayEffect(kEffectKicked);
        view_.ShowMessage(Tr(UiText::Kicked, uiLanguage_));
    } else if (m.command == wire::kText || m.command == wire::kVersionAnswer) {
        chat_.ShowChatLine(FromWireText(m.payload));
    } else if (m.command == wire::kEnds) {
        LeaveGame(true);
    } else if (m.command == wire::kNameTaken) {
        RefusedByHost(UiText::NameTaken);
    } else if (m.command == wire::kFull) {
        RefusedByHost(UiText::ServerFull);
    } else if (m.command == wire::kBadPassword) {
        RefusedByHost(UiText::BadPassword);
    } else if (m.command == wire::kVersionAsk) {
        link_.SendToHost(VersionAnswer(nickname_));
    } else if (m.command == wire::kShout) {
        chat_.PlayChatEffect(kEffectShout);
    } else if (!admitted) {
        // Game traffic relayed to a connection that holds no slot yet.
    } else if (m.command == wire::kInit) {
        StartMatchAsClient(m.payload);
    } else if (m.command == wire::kAim) {
        queue_.Push(queue_entry::kAim, m.payload.left(wire::kAimBytes));
    } else if (m.command == wire::kTurn) {
        queue_.Push(queue_entry::kTurn);
    } else if (m.command == wire::kShot) {
        queue_.Push(queue_entry::kShot, m.payload.left(wire::kShotBytes));
    } else if (m.command == wire::kSync) {
        queue_.Push(queue_entry::kApplySync, m.payload.left(wire::kSyncBytes));
    } else if (m.command == wire::kVerify) {
        queue_.Push(queue_entry::kAnswerVerify);
    } else if (m.command == wire::kDump) {
        library_.SaveDump();
    }
    return Handled::Ok;
}

void OnlineGame::ClientTakesSlot(const QByteArray& payload) {
    const auto slot = wire::ParseDecimal(payload);
    if (!slot || !wire::IsPlayerSlot(*slot)) {
        qWarning("network: refused IDJG: \"%s\"", payload.left(16).constData());
        return;
    }
    mySlot_ = *slot;
    AddPlayer(nickname_, mySlot_, 0, true);
}

void OnlineGame::ClientPlacesPlayer(const QByteArray& payload, bool withWins) {
    const auto entry = wire::DecodeSlotEntry(payload, withWins);
    if (!entry || !wire::IsPlayerSlot(entry->slot)) {
        qWarning("network: refused %s entry \"%s\"",
                 withWins ? "ENT2:" : "ENTR:", payload.left(32).constData());
        return;
    }
    if (entry->name.isEmpty()) return;
    AddPlayer(entry->name, entry->slot, entry->wins, !withWins);
}

void OnlineGame::RefusedByHost(UiText message) {
    LeaveGame(true);
    view_.ShowMessage(Tr(message, uiLanguage_));
}
