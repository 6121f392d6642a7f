// What the join dialog's address field may hold: an IPv4 address, an IPv6
// address (bare or in brackets, as it is written before a port), or a host
// name. Anything else is refused before a look-up or a socket is tried.
#pragma once

#include <QString>
#include <optional>

// The address as the look-up takes it (blanks and brackets gone), or
// nullopt when it can be none of the three.
std::optional<QString> NormalizeJoinAddress(const QString& typed);
