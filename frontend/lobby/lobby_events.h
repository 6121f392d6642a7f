// What happens in the lobby, as values: the XMPP thread makes them from the
// stanzas it reads and from its own connection's fate, and the Qt side hands
// them on in order. Occupants are named by their room nickname.
#pragma once

#include <QString>
#include <memory>
#include <variant>

#include "frontend/lobby/game_listing.h"
#include "frontend/lobby/join_answer.h"
#include "frontend/lobby/relayed_socket.h"

namespace lobby {

// In the room under this nickname.
struct SignedIn {
    QString nickname;
};
// The room already has an occupant of that name; ask the player for another.
struct NicknameTaken {
    QString nickname;
};

enum class FailureKind {
    Unreachable,     // no connection could be made (name, route, refused port)
    NoAnswer,        // connected, but the sign-in did not finish in time
    Insecure,        // a server not on this machine that offers no TLS
    SignInRefused,   // the server would not let us in (no anonymous sign-in)
    RoomRefused,     // the room would not take us (other than a taken nickname)
    ConnectionLost,  // was in the lobby, and the line went away
};
// The lobby is gone or never came; detail says why in English for the log.
// Nothing more follows until the next sign-in.
struct Failure {
    FailureKind kind;
    QString detail;
};

// A game was listed or its listing changed.
struct GameSeen {
    QString occupant;
    GameListing listing;
};
// An occupant has no listed game (any more): it left, withdrew its game or
// sent one that could not be read.
struct GameGone {
    QString occupant;
};
struct ChatHeard {
    QString occupant;
    QString text;
};
// An occupant asks this host where to connect.
struct JoinAsked {
    QString occupant;
};
// The host this player asked answered where to connect.
struct JoinAnswered {
    QString occupant;
    JoinAnswer answer;
};

// A line to this occupant through the lobby server's relay is open, on
// either side: the one that offered it once the relay joined the ends, the
// one that took it once the offering side's first bytes came (still unread
// in the socket). The game's own protocol goes over it as over a direct
// connection; the offering side speaks first.
struct RelayReady {
    QString occupant;
    std::shared_ptr<RelayedSocket> socket;
};
// The relayed line to this occupant did not come; detail says why in
// English for the log (no relay on the server, the occupant refused or did
// not answer in time, the relay refused).
struct RelayFailed {
    QString occupant;
    QString detail;
    // The lobby server offers no relay at all: no line to anyone can come.
    bool serverHasNoRelay = false;
};

using LobbyEvent = std::variant<SignedIn, NicknameTaken, Failure, GameSeen, GameGone, ChatHeard, JoinAsked,
                                JoinAnswered, RelayReady, RelayFailed>;

}  // namespace lobby
