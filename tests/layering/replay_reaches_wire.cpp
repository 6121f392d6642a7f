// Compiled as part of the replays, this file includes the wire's messages,
// which a replay file stores. It must compile, so that the refusal of
// replay_reaches_sockets.cpp is known to come from the layering alone.
#include "frontend/wire/wire_messages.h"
