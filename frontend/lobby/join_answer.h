// The host's private answer to a player who asked to join: where the game's
// own connection goes. It travels only in a message to that one occupant;
// the reader refuses anything that is not a plain host name or address and
// a port, so a hostile answer cannot smuggle text into the join dialog.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "frontend/lobby/element_attributes.h"

namespace lobby {

struct JoinAnswer {
    QString host;  // an IPv4 or IPv6 address, or a DNS name
    uint16_t port = 0;

    bool operator==(const JoinAnswer&) const = default;
};

inline constexpr int kMaxHostChars = 253;

ElementAttributes EncodeJoinAnswer(const JoinAnswer& answer);
std::optional<JoinAnswer> DecodeJoinAnswer(const ElementAttributes& attributes);

}  // namespace lobby
