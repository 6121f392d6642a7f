// A full lobby on a real Prosody on loopback: 200 hosts, each listing a game
// in its presence, and one player's client watching. Measured: how long a
// host's change (seats taken) takes to reach the watcher's list, and where
// that time goes:
//   to_send    the raw hosts' thread picking the change up (this harness),
//   server     from the host's line through Prosody's broadcast to all 201
//              occupants until the watcher's XMPP thread has read it,
//   to_list    the hand-over from that thread to the list on the Qt loop,
// with the CPU that Prosody and this process spend per change.
// The hosts take turns, as in a real lobby where each host changes its game
// a few times a match; with one host changing back to back the server's
// per-connection read limit of the shipped configuration paces the changes
// instead. Without prosody it says so and measures nothing.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>

#include "frontend/lobby/lobby_client.h"
#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/lobby/raw_occupant.h"
#include "tests/frontend/spin_until.h"

namespace {

using Clock = std::chrono::steady_clock;

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

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Seconds of CPU a process has used, user and system; nothing when it cannot
// be read.
std::optional<double> ProcessCpuSeconds(qint64 pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t end = text.rfind(')');  // the command's name may hold spaces
    if (end == std::string::npos) return std::nullopt;
    std::istringstream fields(text.substr(end + 2));
    std::string field;
    double ticks = 0;
    // State is field 3; user and system time are fields 14 and 15.
    for (int n = 3; n <= 15 && fields >> field; ++n)
        if (n >= 14) ticks += std::stod(field);
    if (!fields) return std::nullopt;
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double OwnCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// When the watcher's XMPP thread read the change awaited, seen in its
// stream as libstrophe logs it (on that thread).
class ArrivalClock {
public:
    void Await(const std::string& host, int seats) {
        std::lock_guard lock(mutex_);
        from_ = "/" + host;
        seats_ = {"seats=\"" + std::to_string(seats) + "\"", "seats='" + std::to_string(seats) + "'"};
        arrived_.reset();
    }
    void Heard(const std::string& piece) {
        if (piece.compare(0, 5, "RECV:") != 0) return;
        std::lock_guard lock(mutex_);
        if (arrived_ || from_.empty() || piece.find(from_) == std::string::npos) return;
        if (piece.find(seats_[0]) != std::string::npos || piece.find(seats_[1]) != std::string::npos)
            arrived_ = Clock::now();
    }
    std::optional<Clock::time_point> Arrived() const {
        std::lock_guard lock(mutex_);
        return arrived_;
    }

private:
    mutable std::mutex mutex_;
    std::string from_;
    std::array<std::string, 2> seats_;
    std::optional<Clock::time_point> arrived_;
};

struct Watcher : lobby::LobbyListener {
    lobby::LobbyClient client{*this};
    ArrivalClock arrivals;
    void LobbyReport(const lobby::LobbyEvent&) override {}
};

struct FullRoom {
    ProsodyServer server;
    std::unique_ptr<RawOccupants> hosts;
    Watcher watcher;
    std::array<int, kHosts> seats{};
    bool ready = false;

    FullRoom() {
        if (!ProsodyServer::Installed() || !server.Start(kHosts + 8)) return;
        std::vector<std::string> names;
        for (int i = 0; i < kHosts; ++i) names.push_back(HostName(i));
        QElapsedTimer clock;
        clock.start();
        hosts = std::make_unique<RawOccupants>(server.Lobby(), names);
        if (!SpinUntil([&] { return hosts->Joined() == kHosts; }, 120000)) {
            std::printf("only %d of %d hosts joined within 120 s; the server's log:\n%s\n", hosts->Joined(), kHosts,
                        qPrintable(server.Log().right(3000)));
            return;
        }
        for (int i = 0; i < kHosts; ++i) {
            seats[static_cast<size_t>(i)] = 1;
            hosts->Send(static_cast<size_t>(i), GamePresence(i, 1));
        }
        std::printf("%d hosts in the room in %lld ms\n", kHosts, static_cast<long long>(clock.elapsed()));
        clock.restart();
        // Prosody is still spreading the 200 listings to 200 occupants
        // (40 000 stanzas): on a loaded machine that outlasts the usual
        // time allowed for a sign-in.
        lobby::LobbyServer lobby = server.Lobby();
        lobby.signInTimeoutMs = 120000;
        if (!watcher.client.SignIn(lobby, QStringLiteral("Watcher"),
                                   [this](const std::string& piece) { watcher.arrivals.Heard(piece); }))
            return;
        ready = SpinUntil([&] { return watcher.client.Games().size() == static_cast<size_t>(kHosts); }, 120000);
        std::printf("the watcher signed in and listed %zu games in %lld ms\n", watcher.client.Games().size(),
                    static_cast<long long>(clock.elapsed()));
    }
};

// Arg: how many hosts take turns changing their game.
void BM_HostsChangesReachTheWatchersListOf200Games(benchmark::State& state) {
    static FullRoom room;
    if (!room.ready) {
        state.SkipWithError("no prosody, or the room did not fill");
        return;
    }
    const int changingHosts = static_cast<int>(state.range(0));
    double toSend = 0, server = 0, toList = 0;
    const std::optional<double> prosodyBefore = ProcessCpuSeconds(room.server.Pid());
    const double ownBefore = OwnCpuSeconds();
    int turn = 0;
    for (auto _ : state) {
        const int host = turn++ % changingHosts;
        int& seats = room.seats[static_cast<size_t>(host)];
        seats = 3 - seats;  // 1, 2, 1, ...
        const QString name = QString::fromStdString(HostName(host));
        room.watcher.arrivals.Await(HostName(host), seats);
        const Clock::time_point asked = Clock::now();
        room.hosts->Send(static_cast<size_t>(host), GamePresence(host, seats));
        if (!SpinUntil([&] { return room.watcher.client.Games().at(name).seatsTaken == seats; }, 5000)) {
            state.SkipWithError("a change did not arrive within 5 s");
            return;
        }
        const Clock::time_point listed = Clock::now();
        const Clock::time_point handedOver = room.hosts->LastHandedOver();
        const Clock::time_point arrived = room.watcher.arrivals.Arrived().value_or(listed);
        toSend += Ms(handedOver - asked);
        server += Ms(arrived - handedOver);
        toList += Ms(listed - arrived);
    }
    const auto perChange = benchmark::Counter::kAvgIterations;
    state.counters["to_send_ms"] = benchmark::Counter(toSend, perChange);
    state.counters["server_ms"] = benchmark::Counter(server, perChange);
    state.counters["to_list_ms"] = benchmark::Counter(toList, perChange);
    state.counters["own_cpu_ms"] = benchmark::Counter((OwnCpuSeconds() - ownBefore) * 1000, perChange);
    const std::optional<double> prosodyAfter = ProcessCpuSeconds(room.server.Pid());
    if (prosodyBefore && prosodyAfter)
        state.counters["prosody_cpu_ms"] = benchmark::Counter((*prosodyAfter - *prosodyBefore) * 1000, perChange);
    state.counters["games"] = static_cast<double>(room.watcher.client.Games().size());
}
BENCHMARK(BM_HostsChangesReachTheWatchersListOf200Games)
    ->ArgName("changing_hosts")
    ->Arg(kHosts)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
