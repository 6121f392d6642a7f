// The lobby server as a player types it: "lobby.example.org" or
// "lobby.example.org:5222". The name is the lobby's XMPP domain, laid out as
// the shipped server configuration lays it out; the port, when given, is
// where to connect instead of the domain's records.
#pragma once

#include <QString>
#include <optional>

#include "frontend/lobby/lobby_server.h"

// nullopt for anything that is not a host name, with an optional port of
// 1 to 65535 (surrounding spaces are forgiven).
std::optional<lobby::LobbyServer> LobbyServerFromAddress(const QString& text);
