// Compiled as part of the network, this file includes the online game that
// sits above it. It must not compile: the layering test expects the compiler
// to say it cannot find the header.
#include "frontend/session/online_game.h"
