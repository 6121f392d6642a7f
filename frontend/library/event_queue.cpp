#include "frontend/library/event_queue.h"

#include <algorithm>

bool EventQueue::HoldsTableChange() const {
    return std::any_of(events_.begin(), events_.end(), [](const GameEvent& e) {
        return std::holds_alternative<event::Shot>(e) ||
               std::holds_alternative<event::PassTurn>(e) ||
               std::holds_alternative<event::Sync>(e) || std::holds_alternative<event::MatchOver>(e);
    });
}

std::optional<GameEvent> DecodeMove(const wire::Message& m) {
    if (m.command == wire::kAim) return wire::DecodeAim(m.payload);
    if (m.command == wire::kTurn) return event::PassTurn{};
    if (m.command == wire::kShot) return wire::DecodeShot(m.payload);
    return std::nullopt;
}
