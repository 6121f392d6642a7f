// Reads what the lobby room sends into events: occupants' presences (their
// games), the room's chat, private join requests and answers, and the room's
// answer to our own join. Everything here is untrusted: a stanza that is not
// from our room or breaks a rule gives no event (or, for a game, "gone"),
// and each refusal is logged once with its reason.
#pragma once

#include <strophe.h>

#include <QString>
#include <vector>

#include "frontend/lobby/lobby_events.h"

namespace lobby {

// Occupants' nicknames are shown in lists and chat lines; longer ones are
// refused as any malformed field is.
inline constexpr int kMaxNicknameChars = 32;

struct RoomView {
    QString room;      // the room's bare address, "lobby@rooms.example.org"
    QString nickname;  // ours in it
    bool joined = false;  // the room has confirmed our own presence
};

std::vector<LobbyEvent> ReadRoomStanza(xmpp_stanza_t* stanza, const RoomView& view);

}  // namespace lobby
