// The address a friend types to join a game hosted here.
#pragma once

#include <QString>

// The first IPv4 address, not a loopback one, of a network interface that is
// up; "127.0.0.1" when there is none. (The host name's first address is
// 127.0.1.1 on many Linux systems, which nobody else can reach.)
QString OwnIpv4Address();
