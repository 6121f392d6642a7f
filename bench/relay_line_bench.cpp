// Relayed lines on a real Prosody on loopback, run from the shipped
// configuration: how long two players take from asking for a line to both
// holding it, and what the relay adds to a message's round trip compared
// with a direct loopback connection (a game message of 64 bytes there and
// back). Without prosody it says so and measures nothing.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <memory>

#include "frontend/lobby/lobby_client.h"
#include "tests/frontend/lobby/heard_events.h"
#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/loopback_listener.h"
#include "tests/frontend/spin_until.h"

namespace {

constexpr size_t kMessage = 64;

struct Player : lobby::LobbyListener {
    std::vector<std::shared_ptr<lobby::RelayedSocket>> lines;
    int failures = 0;
    lobby::LobbyClient client{*this};
    void LobbyReport(const lobby::LobbyEvent& event) override {
        if (const auto* ready = std::get_if<lobby::RelayReady>(&event)) lines.push_back(ready->socket);
        if (std::holds_alternative<lobby::RelayFailed>(event)) ++failures;
    }
};

struct Lobby {
    ProsodyServer server;
    Player ana, bob;
    bool ready = false;

    Lobby() {
        if (!ProsodyServer::Installed() || !server.Start()) return;
        auto in = [&](Player& p, const char* name) {
            return p.client.SignIn(server.Lobby(), QString::fromLatin1(name)) &&
                   SpinUntil([&] { return p.client.Status() == lobby::LobbyStatus::In; });
        };
        ready = in(ana, "Ana") && ana.client.PublishGame(OpenGameOf(QStringLiteral("Ana"))) && in(bob, "Bob");
    }
    // A new line; false when it did not come.
    bool Open() {
        ana.lines.clear();
        bob.lines.clear();
        bob.client.OfferRelay(QStringLiteral("Ana"));
        if (!SpinUntil([&] { return bob.lines.size() == 1 || bob.failures > 0; }) || bob.failures > 0) return false;
        // The joiner speaks first; Ana's end comes once it has.
        char hello = 'h';
        if (send(bob.lines[0]->Descriptor(), &hello, 1, MSG_NOSIGNAL) != 1) return false;
        if (!SpinUntil([&] { return ana.lines.size() == 1 || ana.failures > 0; }) || ana.failures > 0) return false;
        return recv(ana.lines[0]->Descriptor(), &hello, 1, 0) == 1;
    }
};

Lobby& TheLobby() {
    static Lobby lobby;
    return lobby;
}

bool WaitReadable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 5000) == 1;
}

// One message from a to b and back; false when the line failed.
bool RoundTrip(int a, int b) {
    std::array<char, kMessage> out{}, in{};
    for (auto [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
        if (send(from, out.data(), out.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(out.size())) return false;
        size_t got = 0;
        while (got < in.size()) {
            if (!WaitReadable(to)) return false;
            const ssize_t n = recv(to, in.data() + got, in.size() - got, 0);
            if (n <= 0) return false;
            got += static_cast<size_t>(n);
        }
    }
    return true;
}

void BM_RelayedLineFromAskingToBothHoldingIt(benchmark::State& state) {
    Lobby& lobby = TheLobby();
    if (!lobby.ready) return state.SkipWithError("no prosody, or the players did not sign in");
    for (auto _ : state)
        if (!lobby.Open()) return state.SkipWithError("a line did not open");
}
BENCHMARK(BM_RelayedLineFromAskingToBothHoldingIt)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_RoundTripThroughTheRelay(benchmark::State& state) {
    Lobby& lobby = TheLobby();
    if (!lobby.ready || !lobby.Open()) return state.SkipWithError("no relayed line");
    const int a = lobby.bob.lines[0]->Descriptor(), b = lobby.ana.lines[0]->Descriptor();
    for (auto _ : state)
        if (!RoundTrip(a, b)) return state.SkipWithError("the relayed line failed");
}
BENCHMARK(BM_RoundTripThroughTheRelay)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_RoundTripOverDirectLoopback(benchmark::State& state) {
    const LoopbackListener listener(1);
    const int a = listener.Connect();
    const int b = listener.Accept();
    for (auto _ : state)
        if (!RoundTrip(a, b)) return state.SkipWithError("the loopback line failed");
    close(a);
    close(b);
}
BENCHMARK(BM_RoundTripOverDirectLoopback)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
