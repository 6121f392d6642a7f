// Compiled as part of the matchmaking, this file includes the lobby's client
// and the online game it ties together. It must compile, so that the refusal
// of lobby_reaches_online_game.cpp is known to come from the layering alone.
#include "frontend/lobby/lobby_client.h"
#include "frontend/session/online_game.h"
