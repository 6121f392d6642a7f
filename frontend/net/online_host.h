// The host's half of an online game: listening, admission, the clients'
// messages and their relay to the others, leaves, drops and kicks, the
// arrangement of matches and the repair of desynchronised tables.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "frontend/net/online_context.h"
#include "frontend/net/seat_keeper.h"
#include "frontend/net/verify_references.h"

class OnlineHost {
public:
    explicit OnlineHost(OnlineContext& context);

    // How long a player of the match whose line broke keeps the seat; 0
    // drops at once.
    void SetSeatHoldSeconds(int seconds) { keeper_.SetHoldSeconds(seconds); }

    // Listens on the port and seats this machine in slot 1.
    bool Open(quint16 port, const QString& password);
    // Whether the game open now asks its players for a password.
    bool HasPassword() const { return !password_.isEmpty(); }
    // Ends the game for everybody (unless quiet) and closes every connection.
    void Close(bool quiet);

    void OnMessages(int connectionId, const std::vector<QByteArray>& messages);
    void OnConnectionError(int connectionId);
    void Kick(const QString& name);

    void StartFirstMatch();
    // After the pause that follows a match, or at once when a player left.
    void NextMatch();

    // Asks every client for its table. An answer agrees when it is this
    // table as it stood where the check was asked among the events
    // (KeepVerifyReference) or as it stands when the answer is compared.
    void VerifySync();
    void KeepVerifyReference(const wire::Positions& own);
    void CompareWithClient(const wire::Verify& answer, const wire::Positions& own);
    void SendSync(int connectionId, const wire::Sync& table);
    void DumpEveryTable();
    void OnPacketError();

private:
    Handled Dispatch(int connectionId, const QByteArray& message);
    void Admit(int connectionId, const QByteArray& payload);
    // What a player who takes a seat is sent: the slot, the other slots and,
    // while a match runs, the match and (once the table is at rest) the
    // table.
    void SendSeat(int connectionId, int slot);
    void ReturnToSeat(int connectionId, int slot);
    void ProbeLineOfName(const QString& name);
    void Drop(int slot, QString name);  // a copy: the slot forgets it
    void TakeMove(int connectionId, int senderSlot, const wire::Message& m,
                  const GameEvent& move);
    // Why a move from this slot is not taken, or null when it is.
    const char* MoveRefusal(int senderSlot, const GameEvent& move) const;
    // The side to move in the running match (0 green, 1 red) as this table
    // will stand once the turn changes already taken apply; -1 without one.
    int SideToMove() const;
    void StartMatch(int green, int red);
    // Frees the slot of a player who left, was kicked or dropped, then
    // mends the pairing.
    void Remove(int slot, const QString& announcedName, LeaveReason reason);
    void RepairAfterLeave();
    void QueueSyncForAllClients();

    OnlineContext& c_;
    SeatKeeper keeper_;
    QString password_;
    VerifyReferences verifyReferences_;
};
