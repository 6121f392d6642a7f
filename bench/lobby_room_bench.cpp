// A full lobby on a real Prosody on loopback: 200 hosts, each listing a game
// in its presence, and one player's client watching. Measured: how long one
// host's change (seats taken) takes to reach the watcher's list, through the
// server, the client's thread and its reader, and the list itself. Without
// prosody it says so and measures nothing.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <memory>

#include "frontend/lobby/lobby_client.h"
#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/lobby/raw_occupant.h"
#include "tests/frontend/spin_until.h"

namespace {

constexpr int kHosts = 200;

std::string HostName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "Host%03d", i);
    return name;
}

std::string GamePresence(int i, int seatsTaken) {
    return "<presence to='%ROOM%/" + HostName(i) +
           "'><game xmlns='urn:x-ringdisk:lobby:1' host='" + HostName(i) + "' seats='" +
           std::to_string(seatsTaken) +
           "' of='2' watchers='0' password='0' state='waiting' version='v1.1' opened='1765280000'/></presence>";
}

struct Watcher : lobby::LobbyListener {
    int reports = 0;
    lobby::LobbyClient client{*this};
    void LobbyReport(const lobby::LobbyEvent&) override { ++reports; }
};

struct FullRoom {
    ProsodyServer server;
    std::unique_ptr<RawOccupants> hosts;
    Watcher watcher;
    bool ready = false;

    FullRoom() {
        if (!ProsodyServer::Installed() || !server.Start(kHosts + 8)) return;
        std::vector<std::string> names;
        for (int i = 0; i < kHosts; ++i) names.push_back(HostName(i));
        QElapsedTimer clock;
        clock.start();
        hosts = std::make_unique<RawOccupants>(server.Lobby(), names);
        if (!SpinUntil([&] { return hosts->Joined() == kHosts; }, 60000)) return;
        for (int i = 0; i < kHosts; ++i) hosts->Send(static_cast<size_t>(i), GamePresence(i, 1));
        std::printf("%d hosts in the room in %lld ms\n", kHosts, static_cast<long long>(clock.elapsed()));
        clock.restart();
        if (!watcher.client.SignIn(server.Lobby(), QStringLiteral("Watcher"))) return;
        ready = SpinUntil([&] { return watcher.client.Games().size() == static_cast<size_t>(kHosts); }, 60000);
        std::printf("the watcher signed in and listed %zu games in %lld ms\n", watcher.client.Games().size(),
                    static_cast<long long>(clock.elapsed()));
    }
};

void BM_OneHostsChangeReachesTheWatchersListOf200Games(benchmark::State& state) {
    static FullRoom room;
    if (!room.ready) {
        state.SkipWithError("no prosody, or the room did not fill");
        return;
    }
    int seats = 1;
    for (auto _ : state) {
        seats = 3 - seats;  // 1, 2, 1, ...
        room.hosts->Send(7, GamePresence(7, seats));
        const QString host = QString::fromStdString(HostName(7));
        if (!SpinUntil([&] { return room.watcher.client.Games().at(host).seatsTaken == seats; }, 5000)) {
            state.SkipWithError("a change did not arrive within 5 s");
            return;
        }
    }
    state.counters["games"] = static_cast<double>(room.watcher.client.Games().size());
}
BENCHMARK(BM_OneHostsChangeReachesTheWatchersListOf200Games)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
