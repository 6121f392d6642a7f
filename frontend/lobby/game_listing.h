// What a host's presence in the lobby room tells about its game, and the
// one reader and writer of that payload. The reader takes everything from an
// unknown occupant: it answers nothing when any field it knows is missing or
// malformed, caps every length and number, and skips fields it does not
// know, so a later version may add some. The host's address is never part
// of a listing; a player gets it only by asking the host (see join_answer.h).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "frontend/lobby/element_attributes.h"

namespace lobby {

enum class GameStage { Waiting, InMatch };

struct GameListing {
    QString hostName;
    int seatsTaken = 0;  // players seated at the table
    int seats = 2;       // of how many seats
    int watchers = 0;
    bool password = false;
    GameStage stage = GameStage::Waiting;
    QString version;      // the host program's, e.g. "v1.1"; another version cannot join
    int64_t openedAt = 0;  // when the game opened, seconds since 1970 (UTC): quick match takes the oldest

    bool operator==(const GameListing&) const = default;
};

inline constexpr int kMaxHostNameChars = 32;
inline constexpr int kMaxVersionChars = 16;
inline constexpr int kMaxSeats = 16;
inline constexpr int kMaxWatchers = 64;

ElementAttributes EncodeGameListing(const GameListing& listing);
std::optional<GameListing> DecodeGameListing(const ElementAttributes& attributes);

// Whether a listing survives its own reader, which every published one must:
// a host that would publish what others drop is told so instead.
bool IsPublishable(const GameListing& listing);

}  // namespace lobby
