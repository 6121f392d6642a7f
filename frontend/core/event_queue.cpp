#include "frontend/core/event_queue.h"

#include <algorithm>

void EventQueue::Push(char kind, const QByteArray& payload) {
    QByteArray entry;
    entry.reserve(payload.size() + 1);
    entry.append(kind);
    entry.append(payload);
    entries_.push_back(std::move(entry));
}

void EventQueue::PushSendSync(int connectionId) {
    Push(queue_entry::kSendSync, QByteArray::number(connectionId));
}

size_t EventQueue::Count(char kind) const {
    return static_cast<size_t>(std::count_if(entries_.begin(), entries_.end(),
                                             [kind](const QByteArray& e) { return e[0] == kind; }));
}

bool EventQueue::HoldsTableChange() const {
    return std::any_of(entries_.begin(), entries_.end(), [](const QByteArray& e) {
        return e[0] == queue_entry::kShot || e[0] == queue_entry::kTurn ||
               e[0] == queue_entry::kApplySync || e[0] == queue_entry::kMatchOver;
    });
}
