#include "frontend/net/verify_references.h"

void VerifyReferences::Take(const wire::Positions& table) {
    for (std::deque<wire::Positions>& checks : pending_) {
        if (checks.size() == kMostPendingChecks) checks.pop_front();
        checks.push_back(table);
    }
}

std::optional<wire::Positions> VerifyReferences::TakeFor(int slot) {
    if (slot < kFirstClientSlot || slot > kLastClientSlot) return std::nullopt;
    std::deque<wire::Positions>& checks = pending_[slot - kFirstClientSlot];
    if (checks.empty()) return std::nullopt;
    const wire::Positions table = checks.front();
    checks.pop_front();
    return table;
}

void VerifyReferences::Forget(int slot) {
    if (slot >= kFirstClientSlot && slot <= kLastClientSlot) pending_[slot - kFirstClientSlot].clear();
}

void VerifyReferences::Clear() {
    for (std::deque<wire::Positions>& checks : pending_) checks.clear();
}
