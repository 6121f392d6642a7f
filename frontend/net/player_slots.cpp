#include "frontend/net/player_slots.h"

void PlayerSlots::Reset() {
    slots_.fill(PlayerSlot{});
}

int PlayerSlots::FindExact(const QString& name) const {
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if ((*this)[s].name == name) return s;
    }
    return 0;
}

int PlayerSlots::FindIgnoringCase(const QString& name) const {
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if (!(*this)[s].name.isEmpty() && (*this)[s].name.compare(name, Qt::CaseInsensitive) == 0)
            return s;
    }
    return 0;
}

int PlayerSlots::FindByName(const QString& name) const {
    if (name.isEmpty()) return 0;  // the free slots' name
    const int exact = FindExact(name);
    return exact != 0 ? exact : FindIgnoringCase(name);
}

int PlayerSlots::FindConnection(int connectionId) const {
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if ((*this)[s].connectionId == connectionId) return s;
    }
    return 0;
}

int PlayerSlots::FirstFree() const {
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if ((*this)[s].name.isEmpty()) return s;
    }
    return 0;
}

bool PlayerSlots::OnlyHostLeft() const {
    for (int s = 2; s <= kPlayerSlotCount; ++s) {
        if (IsOccupied(s)) return false;
    }
    return true;
}

void PlayerSlots::CountMatchStart(int green, int red) {
    for (PlayerSlot& s : slots_) ++s.matchesWaited;
    (*this)[green].matchesWaited = 0;
    (*this)[red].matchesWaited = 0;
}

int PlayerSlots::ChooseChallenger(int winnerSlot, int greenSlot, int redSlot) const {
    constexpr int kNobodyWaited = 100;
    int longest = 0;
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if (IsOccupied(s) && (*this)[s].matchesWaited > longest) longest = (*this)[s].matchesWaited;
    }
    if (longest == 0) longest = kNobodyWaited;
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if (IsOccupied(s) && (*this)[s].matchesWaited == longest) return s;
    }
    const int loser = greenSlot == winnerSlot ? redSlot : redSlot == winnerSlot ? greenSlot : 0;
    if (loser != 0 && IsOccupied(loser)) return loser;
    // The loser has left: anybody still here plays rather than an empty slot.
    for (int s = 1; s <= kPlayerSlotCount; ++s) {
        if (s != winnerSlot && IsOccupied(s)) return s;
    }
    return 0;
}
