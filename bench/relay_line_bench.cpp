// Relayed lines on a real Prosody on loopback, run from the shipped
// configuration: how long two players take from asking for a line to both
// holding it, and what the relay adds to a message's round trip compared
// with a direct loopback connection (a game message of 64 bytes there and
// back). Without prosody it says so and measures nothing.
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <memory>

#include "frontend/lobby/lobby_client.h"
#include "tests/frontend/lobby/prosody_server.h"
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
        lobby::GameListing game;
        game.hostName = QStringLiteral("Ana");
        game.seatsTaken = 1;
        game.seats = 2;
        game.version = QStringLiteral("v1.1");
        game.openedAt = 1765280000;
        ready = in(ana, "Ana") && ana.client.PublishGame(game) && in(bob, "Bob");
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
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, 1);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const int a = socket(AF_INET, SOCK_STREAM, 0);
    connect(a, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const int b = accept(listener, nullptr, nullptr);
    for (auto _ : state)
        if (!RoundTrip(a, b)) return state.SkipWithError("the loopback line failed");
    close(a);
    close(b);
    close(listener);
}
BENCHMARK(BM_RoundTripOverDirectLoopback)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
