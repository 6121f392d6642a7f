// The FIFO of pending game events. Local and received events alike wait here
// until the frame tick finds the table at rest and applies the head entry.
// An entry is a byte string whose first character is its kind.
#pragma once

#include <QByteArray>
#include <deque>

#include "frontend/core/wire_messages.h"

namespace queue_entry {
constexpr char kShot = 'T';          // + 16 bytes: DispararTiro
constexpr char kTurn = 'M';          // exactly "M": MudaJogador(0)
constexpr char kAim = 'O';           // + 17 bytes: new remote aim targets
constexpr char kSendSync = 'Y';      // + decimal connectionId: send "SYNC:" there
constexpr char kApplySync = 'S';     // + 161 bytes: set positions and side
constexpr char kAnswerVerify = 'R';  // exactly "R": answer "VERS:"
constexpr char kCompare = 'U';       // + "VERS:" payload: compare with own table
constexpr char kMatchOver = 'V';     // exactly "V": start the match-over countdown
}  // namespace queue_entry

class EventQueue {
public:
    void Push(char kind, const QByteArray& payload = {});
    void PushSendSync(int connectionId);

    bool Empty() const { return entries_.empty(); }
    size_t Size() const { return entries_.size(); }
    // How many entries of this kind wait.
    size_t Count(char kind) const;
    // Whether an entry waits that moves discs, hands over the turn, sets
    // the table or ends the match. Until it is applied the table as it
    // stands is not the one to play on; the other entries only talk about it.
    bool HoldsTableChange() const;
    const QByteArray& Head() const { return entries_.front(); }
    void PopHead() { entries_.pop_front(); }
    void Clear() { entries_.clear(); }

private:
    std::deque<QByteArray> entries_;
};
