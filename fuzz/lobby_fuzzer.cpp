// The lobby's reader of the room's stanzas: any bytes as one stanza, parsed
// by libstrophe as the client's stream is, then read as if from our room.
// Whatever it accepts must be what a well-behaved sender could have written:
// a listed game and a join answer write back to themselves.
#include <strophe.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/lobby/room_stanzas.h"
#include "fuzz/quiet_qt_messages.h"

namespace {

xmpp_ctx_t* g_ctx = nullptr;

void Check(const std::vector<lobby::LobbyEvent>& events) {
    for (const lobby::LobbyEvent& event : events) {
        if (const auto* seen = std::get_if<lobby::GameSeen>(&event)) {
            if (!lobby::IsPublishable(seen->listing)) std::abort();
        } else if (const auto* answered = std::get_if<lobby::JoinAnswered>(&event)) {
            if (lobby::DecodeJoinAnswer(lobby::EncodeJoinAnswer(answered->answer)) != answered->answer)
                std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceQtMessagesButFatal();
    xmpp_initialize();
    g_ctx = xmpp_ctx_new(nullptr, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    xmpp_stanza_t* stanza = xmpp_stanza_new_from_string(g_ctx, text.c_str());
    if (!stanza) return 0;
    for (const bool joined : {false, true}) {
        const lobby::RoomView view{QStringLiteral("lobby@rooms.localhost"), QStringLiteral("Bob"), joined};
        Check(lobby::ReadRoomStanza(stanza, view));
    }
    xmpp_stanza_release(stanza);
    return 0;
}
