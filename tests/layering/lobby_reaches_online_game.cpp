// Compiled as part of the lobby's client, this file includes the online game,
// which the matchmaking above both of them ties to the lobby. It must not
// compile: the layering test expects the compiler to say it cannot find the
// header.
#include "frontend/session/online_game.h"
