// What the lobby's tests and benchmarks keep of a lobby client's reports,
// and the game a host lists as it opens.
#pragma once

#include <QString>
#include <variant>
#include <vector>

#include "frontend/lobby/lobby_client.h"

// A listener that keeps every report in order, to be looked through by kind.
struct HeardEvents : lobby::LobbyListener {
    std::vector<lobby::LobbyEvent> heard;

    void LobbyReport(const lobby::LobbyEvent& event) override { heard.push_back(event); }

    template <typename T>
    std::vector<T> All() const {
        std::vector<T> found;
        for (const lobby::LobbyEvent& e : heard)
            if (const T* t = std::get_if<T>(&e)) found.push_back(*t);
        return found;
    }
};

// host's game just opened: one of its two seats taken, by this version.
inline lobby::GameListing OpenGameOf(const QString& host) {
    lobby::GameListing g;
    g.hostName = host;
    g.seatsTaken = 1;
    g.seats = 2;
    g.version = QStringLiteral("v1.1");
    g.openedAt = 1765280000;
    return g;
}
