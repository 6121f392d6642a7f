// Compiled as part of the replays, this file includes the sockets' header.
// It must not compile: a replay is played and recorded without a network,
// and the layering test expects the compiler to say it cannot find the header.
#include "frontend/net/network_link.h"
