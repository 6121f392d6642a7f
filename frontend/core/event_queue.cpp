#include "frontend/core/event_queue.h"

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
