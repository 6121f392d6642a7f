// A full lobby on a real Prosody on loopback: 200 hosts, each listing a game
// in its presence, and one player's client watching. Measured: how long a
// host's change (seats taken) takes to reach the watcher's list, and where
// that time goes:
//   to_send    the host's side picking the change up and sending it: the raw
//              hosts' one thread (this harness, which also reads the copies
//              of every change that all its hosts receive), or for a host
//              that is a real client, its XMPP thread's turn,
//   server     from the host's line through Prosody's broadcast to all
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

// Games listed: raw hosts' and one real client's.
constexpr int kGames = 200;
constexpr int kRawHosts = kGames - 1;
// Between two changes of the real client's game: past the server's pause
// on its line after the previous one.
constexpr int kPublisherPaceMs = 300;

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

// When a client's XMPP thread read or sent the change awaited, seen in its
// stream as libstrophe logs it (on that thread).
class StreamClock {
public:
    // direction: "RECV:" or "SENT:"
    explicit StreamClock(const char* direction) : direction_(direction) {}

    void Await(const std::string& host, int seats) {
        std::lock_guard lock(mutex_);
        from_ = "/" + host;  // the host's occupant, sender or addressee
        seats_ = {"seats=\"" + std::to_string(seats) + "\"", "seats='" + std::to_string(seats) + "'"};
        arrived_.reset();
    }
    void Heard(const std::string& piece) {
        if (piece.compare(0, direction_.size(), direction_) != 0) return;
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
    const std::string direction_;
    mutable std::mutex mutex_;
    std::string from_;
    std::array<std::string, 2> seats_;
    std::optional<Clock::time_point> arrived_;
};

// A real client in the room, and when its stream carried what is awaited.
struct Occupant : lobby::LobbyListener {
    lobby::LobbyClient client{*this};
    StreamClock stream;
    explicit Occupant(const char* direction) : stream(direction) {}
    void LobbyReport(const lobby::LobbyEvent&) override {}
    bool SignIn(lobby::LobbyServer server, const char* nickname) {
        // Prosody may still be spreading 200 listings to 200 occupants
        // (40 000 stanzas): on a loaded machine that outlasts the usual time
        // allowed for a sign-in.
        server.signInTimeoutMs = 120000;
        return client.SignIn(server, QString::fromLatin1(nickname),
                             [this](const std::string& piece) { stream.Heard(piece); });
    }
};

// The host that is a real client, as the window publishes a game.
constexpr char kPublisher[] = "Publisher";

lobby::GameListing PublishersGame(int seatsTaken) {
    lobby::GameListing game;
    game.hostName = QString::fromLatin1(kPublisher);
    game.seatsTaken = seatsTaken;
    game.version = QStringLiteral("v1.1");
    game.openedAt = 1765280000;
    return game;
}

struct FullRoom {
    ProsodyServer server;
    std::unique_ptr<RawOccupants> hosts;
    Occupant watcher{"RECV:"};
    Occupant publisher{"SENT:"};
    std::array<int, kRawHosts> seats{};
    int publishersSeats = 1;
    bool ready = false;

    FullRoom() {
        if (!ProsodyServer::Installed() || !server.Start(kRawHosts + 8)) return;
        std::vector<std::string> names;
        for (int i = 0; i < kRawHosts; ++i) names.push_back(HostName(i));
        QElapsedTimer clock;
        clock.start();
        hosts = std::make_unique<RawOccupants>(server.Lobby(), names);
        if (!SpinUntil([&] { return hosts->Joined() == kRawHosts; }, 120000)) {
            std::printf("only %d of %d hosts joined within 120 s; the server's log:\n%s\n", hosts->Joined(), kRawHosts,
                        qPrintable(server.Log().right(3000)));
            return;
        }
        for (int i = 0; i < kRawHosts; ++i) {
            seats[static_cast<size_t>(i)] = 1;
            hosts->Send(static_cast<size_t>(i), GamePresence(i, 1));
        }
        std::printf("%d hosts in the room in %lld ms\n", kRawHosts, static_cast<long long>(clock.elapsed()));
        clock.restart();
        publisher.client.PublishGame(PublishersGame(publishersSeats));
        if (!publisher.SignIn(server.Lobby(), kPublisher) || !watcher.SignIn(server.Lobby(), "Watcher")) return;
        ready = SpinUntil([&] { return watcher.client.Games().size() == static_cast<size_t>(kGames); }, 120000);
        std::printf("the watcher signed in and listed %zu games in %lld ms\n", watcher.client.Games().size(),
                    static_cast<long long>(clock.elapsed()));
    }
};

FullRoom& TheRoom(benchmark::State& state) {
    static FullRoom room;
    if (!room.ready) state.SkipWithError("no prosody, or the room did not fill");
    return room;
}

// The stages of the changes of one run, summed, and the CPU spent meanwhile.
class Stages {
public:
    explicit Stages(const FullRoom& room)
        : room_(room), prosodyBefore_(ProcessCpuSeconds(room.server.Pid())), ownBefore_(OwnCpuSeconds()) {}

    // Waits until the watcher lists the host's game with seats taken; false
    // (and the run given up) when it does not come.
    bool Listed(benchmark::State& state, const QString& host, int seats) {
        if (!SpinUntil([&] {
                const auto it = room_.watcher.client.Games().find(host);
                return it != room_.watcher.client.Games().end() && it->second.seatsTaken == seats;
            }, 5000)) {
            state.SkipWithError("a change did not arrive within 5 s");
            return false;
        }
        return true;
    }

    void Add(Clock::time_point asked, Clock::time_point sent) {
        const Clock::time_point listed = Clock::now();
        const Clock::time_point arrived = room_.watcher.stream.Arrived().value_or(listed);
        toSend_ += Ms(sent - asked);
        server_ += Ms(arrived - sent);
        toList_ += Ms(listed - arrived);
    }

    void Report(benchmark::State& state) const {
        const auto perChange = benchmark::Counter::kAvgIterations;
        state.counters["to_send_ms"] = benchmark::Counter(toSend_, perChange);
        state.counters["server_ms"] = benchmark::Counter(server_, perChange);
        state.counters["to_list_ms"] = benchmark::Counter(toList_, perChange);
        state.counters["own_cpu_ms"] = benchmark::Counter((OwnCpuSeconds() - ownBefore_) * 1000, perChange);
        const std::optional<double> prosodyAfter = ProcessCpuSeconds(room_.server.Pid());
        if (prosodyBefore_ && prosodyAfter)
            state.counters["prosody_cpu_ms"] =
                benchmark::Counter((*prosodyAfter - *prosodyBefore_) * 1000, perChange);
        state.counters["games"] = static_cast<double>(room_.watcher.client.Games().size());
    }

private:
    const FullRoom& room_;
    const std::optional<double> prosodyBefore_;
    const double ownBefore_;
    double toSend_ = 0, server_ = 0, toList_ = 0;
};

// Arg: how many of the raw hosts take turns changing their game.
void BM_HostsChangesReachTheWatchersListOf200Games(benchmark::State& state) {
    FullRoom& room = TheRoom(state);
    if (!room.ready) return;
    const int changingHosts = static_cast<int>(state.range(0));
    Stages stages(room);
    int turn = 0;
    for (auto _ : state) {
        const int host = turn++ % changingHosts;
        int& seats = room.seats[static_cast<size_t>(host)];
        seats = 3 - seats;  // 1, 2, 1, ...
        room.watcher.stream.Await(HostName(host), seats);
        const Clock::time_point asked = Clock::now();
        room.hosts->Send(static_cast<size_t>(host), GamePresence(host, seats));
        if (!stages.Listed(state, QString::fromStdString(HostName(host)), seats)) return;
        stages.Add(asked, room.hosts->LastHandedOver());
    }
    stages.Report(state);
}
BENCHMARK(BM_HostsChangesReachTheWatchersListOf200Games)
    ->ArgName("changing_hosts")
    ->Arg(kRawHosts)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The host a real client, as the window publishes: its change goes through
// its own XMPP thread. Paced like a real host, which changes its game a few
// times a match, so that the server's read limit on its line is not what is
// measured.
void BM_AClientsPublishedChangeReachesTheWatchersListOf200Games(benchmark::State& state) {
    FullRoom& room = TheRoom(state);
    if (!room.ready) return;
    Stages stages(room);
    for (auto _ : state) {
        state.PauseTiming();
        SpinFor(kPublisherPaceMs);
        state.ResumeTiming();
        room.publishersSeats = 3 - room.publishersSeats;
        const int seats = room.publishersSeats;
        room.watcher.stream.Await(kPublisher, seats);
        room.publisher.stream.Await(kPublisher, seats);
        const Clock::time_point asked = Clock::now();
        room.publisher.client.PublishGame(PublishersGame(seats));
        if (!stages.Listed(state, QString::fromLatin1(kPublisher), seats)) return;
        stages.Add(asked, room.publisher.stream.Arrived().value_or(asked));
    }
    stages.Report(state);
}
BENCHMARK(BM_AClientsPublishedChangeReachesTheWatchersListOf200Games)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
