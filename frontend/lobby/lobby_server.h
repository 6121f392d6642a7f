// Where a lobby is and how to reach it safely. A lobby is an XMPP domain with
// anonymous sign-in and a room on its chat service, laid out as the shipped
// server configuration lays it out (dist/lobby/prosody.cfg.lua).
#pragma once

#include <QString>
#include <cstdint>

namespace lobby {

struct LobbyServer {
    QString domain;       // the XMPP domain players sign in to, "lobby.example.org"
    QString room;         // the room's bare address, "lobby@rooms.lobby.example.org"
    QString connectHost;  // where to connect instead of the domain's own records; empty: the domain
    uint16_t port = 0;    // 0: the domain's records or the standard port
    QString caFile;       // a certificate to trust besides the system's; empty: the system's alone
    int signInTimeoutMs = 10000;  // from the start to being in the room
    // Once in, a server quiet this long is asked whether it is still there,
    // and one that does not answer within pingAnswerMs is given up: a line
    // that died without closing is noticed.
    int pingAfterQuietMs = 30000;
    int pingAnswerMs = 10000;
    // A relayed line not open this long after it was asked for (or
    // offered) has failed.
    int relayTimeoutMs = 10000;
};

// The lobby at a domain as the shipped configuration lays it out, reached
// by its own name and records.
LobbyServer LobbyServerAt(const QString& domain);

// Whether host names this machine. Only such a server may be reached
// without TLS when it offers none; any other must encrypt, always.
bool IsLoopbackHost(const QString& host);

// libstrophe's connection flags for the server: TLS is used whenever it is
// offered, and required for every server that is not on this machine.
long ConnectionFlags(const LobbyServer& server);

}  // namespace lobby
