// The game events as typed values, from the moment their bytes arrive (or
// this machine's library reports them) until they take effect on the table.
// The event queue holds them, the frame loop applies them, a replay keeps
// those that change the table.
#pragma once

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

