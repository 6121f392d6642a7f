// What happens to this machine's session, told as typed events to whoever
// reacts to it (the computer opponent's launcher, the computer player): a
// player took a seat at this host, the host gave this machine its seat, a
// match started, the session ended and why. The window shows the same
// moments through FrontendView; nobody needs to read them back from it.
#pragma once

#include <functional>
#include <variant>

// Why a session ended.
enum class SessionEnd {
    Left,            // this machine left the game or the practice, or closed
    HostClosed,      // the host ended the game ("ENDS:")
    Refused,         // the host turned the login away: name taken, game full, bad password
    Kicked,          // the host sent this machine away
    ConnectionLost,  // the line to the host broke, or the host closed it
    ConnectFailed,   // nobody answered the join
};

namespace session {
// Host: a player from another machine sat down in this slot.
struct PlayerSeated {
    int slot = 0;
    bool operator==(const PlayerSeated&) const = default;
};
// Client: the host gave this machine its slot.
struct SeatTaken {
    int slot = 0;
    bool operator==(const SeatTaken&) const = default;
};
struct MatchStarted {
    int greenSlot = 0, redSlot = 0, seed = 0;
    bool operator==(const MatchStarted&) const = default;
};
struct Ended {
    SessionEnd reason = SessionEnd::Left;
    bool operator==(const Ended&) const = default;
};
}  // namespace session

using SessionEvent =
    std::variant<session::PlayerSeated, session::SeatTaken, session::MatchStarted, session::Ended>;
// Hears every session event; empty hears nothing.
using SessionListener = std::function<void(const SessionEvent&)>;
