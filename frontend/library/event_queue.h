// The FIFO of pending game events. Local and received events alike wait here
// as typed values, decoded once where their bytes arrived, until the frame
// tick finds the table at rest and applies the head event.
#pragma once

#include <deque>
#include <optional>
#include <variant>

#include "frontend/library/game_event.h"
#include "frontend/wire/wire_messages.h"

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
    // The head goes once it has been applied.
    void PopHead() { events_.pop_front(); }
    void Clear() { events_.clear(); }

private:
    std::deque<GameEvent> events_;
};
