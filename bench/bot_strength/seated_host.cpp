// bot_strength_host: one match of the strength benchmark, seen from the host.
// It hosts a game on a free port, plays its own seat with the computer player
// at the level asked, starts the match as soon as an opponent sits down, and
// closes the game once the match has a result, which sends the opponent home.
//
//   bot_strength_host --level L --seed S [--tick-ms N] [--lifetime SECONDS]
//                     [--replays FOLDER]
//
// Standard output: "HOSTING PORT", then the player's lines (DECIDED, SHOT,
// RESULT R SHOTS with R 0 draw, 1 green won, 2 red won); the host sits in
// slot 1, which plays green in a game's first match. "TIMEOUT" when the
// lifetime ran out first (exit status 1), so a stuck match ends by itself.
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "bench/seated_host.h"
#include "bot/bot_player.h"
#include "bot/quiet_view.h"
#include "frontend/session/frontend_core.h"

namespace {

using namespace seated_host;

struct HostOptions {
    ai::Level level = ai::Level::Club;
    uint64_t seed = 0;
    int tickMs = 16;
    int lifetimeSeconds = 1800;
    QString replays;  // where the match is kept as a replay; empty: nowhere
};

std::optional<HostOptions> ParseOptions(const QStringList& args) {
    HostOptions o;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        bool ok = true;
        if (name == u"--level") {
            const auto level = ai::ParseLevel(value.toStdString());
            if (!level) return std::nullopt;
            o.level = *level;
        } else if (name == u"--seed") {
            o.seed = value.toULongLong(&ok);
        } else if (name == u"--tick-ms") {
            o.tickMs = value.toInt(&ok);
            ok = ok && o.tickMs >= 1;
        } else if (name == u"--lifetime") {
            o.lifetimeSeconds = value.toInt(&ok);
        } else if (name == u"--replays") {
            o.replays = value;
        } else {
            return std::nullopt;
        }
        if (!ok) return std::nullopt;
    }
    if (args.size() % 2 != 0) return std::nullopt;
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto options = ParseOptions(app.arguments().mid(1));
    if (!options) {
        std::fputs("usage: bot_strength_host --level L --seed S [--tick-ms N] [--lifetime S] "
                   "[--replays F]\n",
                   stderr);
        return 2;
    }

    QuietView view;
    FrontendCore core(view, [](int) {});
    core.Online().SetLanguage(kEnglish);
    core.Online().SetNickname(QStringLiteral("Host"));
    core.SetReplayFolder(options->replays);
    if (options->tickMs < HighPrecisionTimer::kPeriodMs) core.Loop().SetMinimumTickMs(0);
    core.Start(false, options->tickMs);

    bool decided = false;
    const auto closeGame = [&](int status) {
        core.Close({});
        QTimer::singleShot(kFarewellMs, [&app, status] { app.exit(status); });
    };
    BotPlayer player(core, options->level, options->seed, [&](const QString& line) {
        Print(line);
        if (decided || !line.startsWith(u"RESULT ")) return;
        decided = true;
        // The result is announced within this tick; the close follows it.
        QTimer::singleShot(0, [&] { closeGame(0); });
    });
    player.Attach();

    OnlineGame& game = core.Online();
    if (!game.HostOnPort(0, {})) {
        Print(QStringLiteral("HOSTFAILED ") + view.lastMessage);
        return 1;
    }
    Print(QStringLiteral("HOSTING %1").arg(game.ListeningPort()));

    QTimer pollTimer;
    bool started = false;
    QObject::connect(&pollTimer, &QTimer::timeout, [&] {
        player.Poll();
        if (!started && game.Slots().IsOccupied(kOpponentSlot)) {
            started = true;
            game.StartFirstMatch();
        }
    });
    pollTimer.start(options->tickMs);
    QTimer::singleShot(options->lifetimeSeconds * 1000, [&] {
        Print(QStringLiteral("TIMEOUT"));
        closeGame(1);
    });
    return app.exec();
}
