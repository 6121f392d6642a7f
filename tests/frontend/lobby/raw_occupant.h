// An occupant of the lobby room that sends whatever text the test gives it,
// as a hostile or broken client would: its own libstrophe connection on a
// thread of its own, signed in anonymously, joined under a nickname.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frontend/lobby/lobby_server.h"

class RawOccupant {
public:
    RawOccupant(const lobby::LobbyServer& server, const std::string& nickname);
    ~RawOccupant();

    bool Joined() const { return joined_; }
    // Sends text as it is; "%ROOM%" in it becomes the room's address.
    void Send(const std::string& text);

private:
    void Run(lobby::LobbyServer server, std::string nickname);

    std::atomic<bool> joined_{false};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> outbox_;
    std::string room_;
    std::thread thread_;
};
