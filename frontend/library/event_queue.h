// The FIFO of pending game events. Local and received events alike wait here
// as typed values, decoded once where their bytes arrived, until the frame
// tick finds the table at rest and applies the head event.
#pragma once

#include <deque>
#include <optional>
#include <variant>

#include "frontend/wire/wire_messages.h"

namespace event {
using Shot = wire::Shot;  // fire it: DispararTiro
struct PassTurn {         // the shooter's machine passed the turn: MudaJogador(0)
    bool operator==(const PassTurn&) const = default;
};
using Aim = wire::Aim;  // new targets for the aim shown of the player at another machine
struct SendSync {       // host: send this table to the client on this connection
    int connectionId = 0;
    bool operator==(const SendSync&) const = default;
};
using Sync = wire::Sync;  // client: set the positions and the side to move
struct AnswerVerify {     // client: answer the host's "VERS:" with this table
    bool operator==(const AnswerVerify&) const = default;
};
using Verify = wire::Verify;  // host: compare a client's table with this one
struct VerifyReference {      // host: keep this table for the answers to a "vsync"
    bool operator==(const VerifyReference&) const = default;
};
struct MatchOver {            // start the pause before the next match
    bool operator==(const MatchOver&) const = default;
};
}  // namespace event

using GameEvent = std::variant<event::Shot, event::PassTurn, event::Aim, event::SendSync,
                               event::Sync, event::AnswerVerify, event::Verify,
                               event::VerifyReference, event::MatchOver>;

// An aim, a turn change or a shot as another machine sent it, decoded once
// where it arrived; nullopt for any other message, or a payload too short.
std::optional<GameEvent> DecodeMove(const wire::Message& m);

class EventQueue {
public:
    void Push(GameEvent event) { events_.push_back(std::move(event)); }

    bool Empty() const { return events_.empty(); }
    size_t Size() const { return events_.size(); }
    // How many events of this kind wait.
    template <typename Kind>
    size_t Count() const {
        size_t n = 0;
        for (const GameEvent& e : events_) n += std::holds_alternative<Kind>(e) ? 1 : 0;
        return n;
    }
    // Whether an event waits that moves discs, hands over the turn, sets
    // the table or ends the match. Until it is applied the table as it
    // stands is not the one to play on; the other events only talk about it.
    bool HoldsTableChange() const;
    const GameEvent& Head() const { return events_.front(); }
    // The head goes once it has been applied, and applying it reaches the
    // online game, which may clear the queue: then nothing is left to pop.
    void PopHead() {
        if (!events_.empty()) events_.pop_front();
    }
    void Clear() { events_.clear(); }

private:
    std::deque<GameEvent> events_;
};
