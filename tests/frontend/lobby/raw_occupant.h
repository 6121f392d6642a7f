// Occupants of the lobby room that send whatever text the test gives them,
// as hostile or broken clients would: libstrophe connections on one thread
// of their own, each signed in anonymously and joined under its nickname.
// Many of them (a benchmark's full room) share that one thread.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "frontend/lobby/lobby_server.h"

class RawOccupants {
public:
    RawOccupants(const lobby::LobbyServer& server, std::vector<std::string> nicknames);
    ~RawOccupants();

    // How many are in the room.
    int Joined() const { return joined_; }
    // Sends text as it is from occupant `who`; "%ROOM%" in it becomes the
    // room's address.
    void Send(size_t who, const std::string& text);
    // When the thread last handed queued text to the connections (it looks
    // for text between turns of at most kTurnMs, and after reading what all
    // its connections received): what a benchmark counts from, so that this
    // harness's own wait is not charged to the server.
    std::chrono::steady_clock::time_point LastHandedOver() const {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(handedOver_));
    }

    static constexpr unsigned long kTurnMs = 10;

    struct Connection;

private:
    void Run(lobby::LobbyServer server, std::vector<std::string> nicknames);

    std::atomic<int> joined_{0};
    std::atomic<bool> stop_{false};
    std::atomic<std::chrono::steady_clock::rep> handedOver_{0};
    std::mutex mutex_;
    std::vector<std::pair<size_t, std::string>> outbox_;
    std::string room_;
    std::thread thread_;
};
