// Joining a game through the lobby on loopback, on a real Prosody: from the
// player's "Join" on a listed game to the first frame of the match on the
// player's table. It takes in the question to the host and its answer
// through the server, the game's own connection and admission, the host
// starting the match as the player sits (as the computer player does), and
// the player's frame timer at the window's 16 ms. Without prosody it says so
// and measures nothing.
//
// The same through the lobby's relay: the host answers with a name nobody
// answers for, so the player's direct try runs out its whole time limit (as
// against a router that forwards nothing) before the relayed line is set up.
#include <benchmark/benchmark.h>

#include <memory>

#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/matchmaking/lobby_peer.h"

namespace {

// Remembers how many frames were drawn when the match was laid, so the first
// frame of the match is the next one.
struct FirstFrameLibrary : RecordingLibrary {
    int rendersAtMatch = -1;
    bool MatchDrawn() const { return rendersAtMatch >= 0 && renders > rendersAtMatch; }

protected:
    void LayMatch(int seat, int seed) override {
        RecordingLibrary::LayMatch(seat, seed);
        rendersAtMatch = renders;
    }
};

// A look-up that never answers.
void NeverAnswers(const QString&, QObject*, std::function<void(const QList<QHostAddress>&)>) {}

struct TwoPlayers {
    ProsodyServer server;
    std::unique_ptr<LobbyPeerOver<FirstFrameLibrary>> ana, bob;
    bool ready = false;

    explicit TwoPlayers(bool unreachableHost) {
        if (!ProsodyServer::Installed() || !server.Start()) return;
        ana = std::make_unique<LobbyPeerOver<FirstFrameLibrary>>("Ana");
        bob = std::make_unique<LobbyPeerOver<FirstFrameLibrary>>("Bob");
        if (unreachableHost) {
            ana->matchmaker.SetOwnAddress([] { return QStringLiteral("ana.home.arpa"); });
            bob->core.Online().SetHostResolver(NeverAnswers, lobby::Matchmaker::kDirectTryMs);
        }
        ana->core.Online().SetSessionListener([this](const SessionEvent& event) {
            if (std::holds_alternative<session::PlayerSeated>(event))
                ana->core.Online().StartFirstMatch();
        });
        ready = ana->SignIn(server.Lobby(), "Ana") && bob->SignIn(server.Lobby(), "Bob");
    }
    ~TwoPlayers() {
        if (ana) ana->core.Online().SetSessionListener({});
    }

    // Ana's game open again and listed waiting, Bob out of any game.
    bool Reset() {
        bob->core.Online().LeaveGame(true);
        ana->core.Online().LeaveGame(true);
        bob->library.rendersAtMatch = -1;
        if (!ana->core.Online().HostOnPort(0, QString())) return false;
        return SpinUntil([&] {
            const auto game = bob->GameOf("Ana");
            return game && game->stage == lobby::GameStage::Waiting && game->seatsTaken == 1;
        });
    }
};

void JoinUntilTheFirstFrame(benchmark::State& state, TwoPlayers& players) {
    if (!players.ready) {
        state.SkipWithError("no prosody, or the players could not sign in");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!players.Reset()) {
            state.SkipWithError("the host's game was not listed again");
            return;
        }
        state.ResumeTiming();
        players.bob->matchmaker.Join("Ana", QString());
        if (!SpinUntil([&] { return players.bob->library.MatchDrawn(); }, 15000)) {
            state.SkipWithError("no match within 15 s");
            return;
        }
    }
    state.counters["relayed"] = players.bob->core.Online().JoinedOverRelay() ? 1 : 0;
}

void BM_FromJoinToTheMatchsFirstFrame(benchmark::State& state) {
    static TwoPlayers players(false);
    JoinUntilTheFirstFrame(state, players);
}
BENCHMARK(BM_FromJoinToTheMatchsFirstFrame)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_FromJoinThroughTheRelayToTheMatchsFirstFrame(benchmark::State& state) {
    static TwoPlayers players(true);
    JoinUntilTheFirstFrame(state, players);
}
BENCHMARK(BM_FromJoinThroughTheRelayToTheMatchsFirstFrame)
    ->Iterations(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
