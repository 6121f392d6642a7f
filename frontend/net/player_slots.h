// The four player slots of an online game and the choice of who plays next.
// Pure data and rules; the online game shows the changes.
#pragma once

#include <QString>
#include <array>

constexpr int kPlayerSlotCount = 4;
constexpr int kHostConnection = 999;
constexpr int kNoConnection = -1;
// A player whose line broke and whose seat is kept for a while: occupied,
// but reached by no connection.
constexpr int kAwayConnection = -2;

struct PlayerSlot {
    QString name;  // empty: the slot is free
    int connectionId = kNoConnection;
    int matchesWaited = 0;
    int wins = 0;
    // The player's line goes through the lobby's relay, as far as this
    // machine can tell: the host knows it of every line, a client of its own.
    bool relayed = false;
};

class PlayerSlots {
public:
    // Slot numbers are 1..4; callers check the range first.
    PlayerSlot& operator[](int slot) { return slots_[slot - 1]; }
    const PlayerSlot& operator[](int slot) const { return slots_[slot - 1]; }

    void Reset();
    // The slot holding exactly this name (case-sensitive), or 0.
    int FindExact(const QString& name) const;
    // The slot holding this name in any letter case, or 0.
    int FindIgnoringCase(const QString& name) const;
    // The slot a name given on the wire or in a command means: the one
    // holding exactly this name, else the first holding it in other letter
    // case, or 0. Names that differ only in case are different players.
    int FindByName(const QString& name) const;
    int FindConnection(int connectionId) const;
    int FirstFree() const;
    bool IsOccupied(int slot) const { return (*this)[slot].connectionId != kNoConnection; }
    // True when no client holds a slot: the host is alone.
    bool OnlyHostLeft() const;
    // A new match between these two: everybody else waited one more match.
    void CountMatchStart(int green, int red);
    // The opponent of the winner after a won match: the occupied slot that has
    // waited longest, else the loser of the last match (or, when the loser has
    // left, any other player still here); 0 when the winner is alone.
    int ChooseChallenger(int winnerSlot, int greenSlot, int redSlot) const;

private:
    std::array<PlayerSlot, kPlayerSlotCount> slots_;
};
