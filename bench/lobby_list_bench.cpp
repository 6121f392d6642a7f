// The lobby window's list with 200 open games, on real widgets (offscreen):
// how long one report takes from the model's change to the list drawn
// again, for a game that changes, one that opens and one that closes. A
// change must show within 50 ms and leave the window its frame rate.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <memory>

#include "frontend/ui/lobby_game_list.h"

namespace {

constexpr int kGames = 200;
constexpr int kEnglish = 2;

QString HostName(int i) {
    return QStringLiteral("Host%1").arg(i, 3, 10, QLatin1Char('0'));
}

lobby::GameListing Listing(int seatsTaken) {
    lobby::GameListing listing;
    listing.seatsTaken = seatsTaken;
    listing.version = QStringLiteral("v1.1");
    return listing;
}

// The list as the lobby window lays it out, full, on screen.
struct FullList {
    LobbyGameTable table{QStringLiteral("v1.1"), kEnglish};
    std::unique_ptr<QTableView> view{MakeGameList(table, nullptr)};

    FullList() {
        view->resize(430, 360);
        for (int i = 0; i < kGames; ++i) table.Show(HostName(i), Listing(1));
        view->show();
        QApplication::processEvents();
    }
    // Lays out and paints now what the change left to do.
    void Draw() {
        QApplication::processEvents();
        view->viewport()->repaint();
    }
};

void BM_OneGameChanges(benchmark::State& state) {
    FullList list;
    int round = 0;
    for (auto _ : state) {
        // A game near the middle, off screen, and one in sight in turn.
        const int host = (round % 2) ? kGames / 2 : 3;
        list.table.Show(HostName(host), Listing(1 + (round / 2) % 2));
        list.Draw();
        ++round;
    }
}
BENCHMARK(BM_OneGameChanges)->Unit(benchmark::kMillisecond);

void BM_AGameOpensAndCloses(benchmark::State& state) {
    FullList list;
    for (auto _ : state) {
        list.table.Show(QStringLiteral("Host0005a"), Listing(1));
        list.Draw();
        list.table.Remove(QStringLiteral("Host0005a"));
        list.Draw();
    }
}
BENCHMARK(BM_AGameOpensAndCloses)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
