// soak_host: the host of the soak run. It hosts a game on a free loopback
// port, plays its own seat with the computer player, starts the match as
// soon as an opponent sits down, asks every client for its table ("/vsync")
// each time a shot comes to rest and once more after the result, and then
// closes the game the way a person does. It hosts again, on a new port,
// until it has served the matches asked for, so one process can live
// through many matches.
//
//   soak_host --level L --seed S [--matches N] [--tick-ms N] [--match-seconds S]
//             [--stalemate-shots N]
//
// A "quit" line on standard input, or its end, closes the game and ends the
// process at once, whatever it was doing.
//
// Standard output, one line per event:
//   HOSTING PORT        a game is open for the next match
//   MATCH SEED          the match started; SEED deals its table
//   SHOT x z f a        this seat's shots (and DECIDED lines, the search)
//   CHAT text           every chat line; the "/vsync" reports are among them
//   RESULT R SHOTS      R 0 draw, 1 green won, 2 red won
//   TIMEOUT             the match outlived --match-seconds; it is abandoned
//   STALEMATE N         N shots in a row moved no disc and changed no score;
//                       the match is abandoned
//   DONE vsyncs=N reports=N desyncs=N anomalies=N points=G,R rss_kb=N
//        ticks=N tick_mean_us=N tick_p99_us=N tick_max_us=N
//                       after each match, when the game is closed again
// The host sits in slot 1, which plays green in a game's first match.
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>

#include "bench/seated_host.h"
#include "bot/bot_player.h"
#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"
#include "tick_clock.h"
#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

namespace {

using namespace seated_host;

constexpr int kLastSlot = 4;
// The answers to the last "/vsync" come within a few ticks; a client that
// never answers must not hold the next match.
constexpr int kLastAnswersMs = 2000;

struct HostOptions {
    ai::Level level = ai::Level::Club;
    uint64_t seed = 0;
    int matches = 1;
    int tickMs = 16;
    int matchSeconds = 1800;
    int stalemateShots = 40;
};

// Reads a count, a whole number of at least one; false for anything else.
bool ReadCount(const QString& text, int& into) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1) return false;
    into = value;
    return true;
}

std::optional<HostOptions> ParseOptions(const QStringList& args) {
    if (args.size() % 2 != 0) return std::nullopt;
    HostOptions o;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const QString& value = args[i + 1];
        bool ok = true;
        if (args[i] == u"--level") {
            const auto level = ai::ParseLevel(value.toStdString());
            ok = level.has_value();
            if (ok) o.level = *level;
        } else if (args[i] == u"--seed") {
            o.seed = value.toULongLong(&ok);
        } else if (args[i] == u"--matches") {
            ok = ReadCount(value, o.matches);
        } else if (args[i] == u"--tick-ms") {
            ok = ReadCount(value, o.tickMs);
        } else if (args[i] == u"--match-seconds") {
            ok = ReadCount(value, o.matchSeconds);
        } else if (args[i] == u"--stalemate-shots") {
            ok = ReadCount(value, o.stalemateShots);
        } else {
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    return o;
}

long ResidentKilobytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// What the chat showed during one match.
struct MatchChecks {
    int vsyncs = 0;
    int reports = 0;
    int desyncs = 0;
    int anomalies = 0;

    void Read(const QString& chatLine) {
        if (chatLine.startsWith(u"No desync at ID ")) {
            ++reports;
        } else if (chatLine.contains(u" disc(s) desynchronized at ID ")) {
            ++reports;
            ++desyncs;
        } else if (chatLine.contains(u"Packet Error") || chatLine.contains(u"resync")) {
            ++anomalies;
        }
    }
};

// The discs and the score, but not the side to move: a shot that changes
// nothing else still passes the turn.
uint64_t DiscsAndScore() {
    uint64_t hash = table_probe::kFnvOffsetBasis;
    for (int disc = 1; disc <= table_probe::kSyncedDiscs; ++disc) {
        table_probe::Mix(hash, GetDiscoX(disc));
        table_probe::Mix(hash, GetDiscoZ(disc));
    }
    table_probe::Mix(hash, GetPlayer_Pts(0));
    table_probe::Mix(hash, GetPlayer_Pts(1));
    return hash;
}

// The rules have no end for a table where what is left lies out of every
// shot's reach (behind both shooting lines, or in a corner beyond a hole):
// the computer players would shoot at it for ever. Such a match is told
// apart from one that hangs by the table staying exactly as it was.
class StalemateWatch {
public:
    explicit StalemateWatch(int limit) : limit_(limit) {}
    void Restart() { unchanged_ = -1; }
    // After each shot, at rest: true once `limit` shots in a row changed nothing.
    bool AfterShot(uint64_t table) {
        unchanged_ = unchanged_ >= 0 && table == last_ ? unchanged_ + 1 : 0;
        last_ = table;
        return unchanged_ >= limit_;
    }

private:
    int limit_;
    int unchanged_ = -1;
    uint64_t last_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    TickClockApplication app(argc, argv);
    const auto options = ParseOptions(app.arguments().mid(1));
    if (!options) {
        std::fputs("usage: soak_host --level L --seed S [--matches N] [--tick-ms N] "
                   "[--match-seconds S] [--stalemate-shots N]\n",
                   stderr);
        return 2;
    }

    MatchChecks checks;
    StalemateWatch stalemate(options->stalemateShots);
    HeadlessView view([&](const QString& event) {
        if (!event.startsWith(u"CHAT ")) return;
        checks.Read(event.mid(5));
        Print(event);
    });
    FrontendCore core(view, [](int) {});
    OnlineGame& game = core.Online();
    game.SetLanguage(kEnglish);
    game.SetNickname(QStringLiteral("Host"));
    if (options->tickMs < HighPrecisionTimer::kPeriodMs) core.Loop().SetMinimumTickMs(0);
    app.SetTickMs(options->tickMs);
    core.Start(false, options->tickMs);

    // Decided: the result is known, the last check not yet asked for.
    enum class Phase { Waiting, Playing, Decided, LastAnswers, Closed };
    Phase phase = Phase::Closed;
    int matchesDone = 0;
    // The answers the match's checks ask for: every client seated at a check
    // answers it, and on a slow line the answers to one check may come after
    // the next is asked, so only the count tells when the last has come.
    int answersExpected = 0;
    bool wasMoving = false;
    QTimer matchClock;
    matchClock.setSingleShot(true);
    QTimer lastAnswers;
    lastAnswers.setSingleShot(true);

    const auto askEveryTable = [&] {
        for (int s = kOpponentSlot; s <= kLastSlot; ++s)
            answersExpected += game.Slots().IsOccupied(s) ? 1 : 0;
        ++checks.vsyncs;
        core.Chat().Enter(QStringLiteral("/vsync"));
    };
    const auto hostNextMatch = [&] {
        checks = MatchChecks{};
        answersExpected = 0;
        app.TakeSummary();  // the idle time between matches is not a match's
        if (!game.HostOnPort(0, {})) {
            Print(QStringLiteral("HOSTFAILED ") + view.messages.value(view.messages.size() - 1));
            app.exit(1);
            return;
        }
        phase = Phase::Waiting;
        matchClock.start(options->matchSeconds * 1000);
        Print(QStringLiteral("HOSTING %1").arg(game.ListeningPort()));
    };
    const auto closeMatch = [&] {
        if (phase == Phase::Closed) return;
        phase = Phase::Closed;
        matchClock.stop();
        lastAnswers.stop();
        const TickSummary ticks = app.TakeSummary();
        Print(QStringLiteral("DONE vsyncs=%1 reports=%2 desyncs=%3 anomalies=%4 points=%5,%6 "
                             "rss_kb=%7 ticks=%8 tick_mean_us=%9 tick_p99_us=%10 tick_max_us=%11")
                  .arg(checks.vsyncs)
                  .arg(checks.reports)
                  .arg(checks.desyncs)
                  .arg(checks.anomalies)
                  .arg(int(GetPlayer_Pts(0)))
                  .arg(int(GetPlayer_Pts(1)))
                  .arg(ResidentKilobytes())
                  .arg(ticks.ticks)
                  .arg(ticks.meanUs)
                  .arg(ticks.p99Us)
                  .arg(ticks.maxUs));
        game.CloseButton();
        if (++matchesDone < options->matches) {
            hostNextMatch();
            return;
        }
        core.Close({});
        QTimer::singleShot(kFarewellMs, [&app] { app.exit(0); });
    };
    QObject::connect(&lastAnswers, &QTimer::timeout, closeMatch);
    QObject::connect(&matchClock, &QTimer::timeout, [&] {
        Print(QStringLiteral("TIMEOUT"));
        closeMatch();
    });

    BotPlayer player(core, options->level, options->seed, [&](const QString& line) {
        Print(line);
        if (phase != Phase::Playing || !line.startsWith(u"RESULT ")) return;
        // The result is announced within the tick that ended the match; every
        // client then shows its final table once more.
        phase = Phase::Decided;
        QTimer::singleShot(0, [&] {
            if (phase != Phase::Decided) return;
            phase = Phase::LastAnswers;
            askEveryTable();
            lastAnswers.start(kLastAnswersMs);
        });
    });
    player.Attach();

    QTimer pollTimer;
    app.Ignore(&pollTimer);
    QObject::connect(&pollTimer, &QTimer::timeout, [&] {
        player.Poll();
        if (phase == Phase::Waiting && game.Slots().IsOccupied(kOpponentSlot)) {
            game.StartFirstMatch();
            phase = Phase::Playing;
            wasMoving = false;
            stalemate.Restart();
            Print(QStringLiteral("MATCH %1").arg(game.MatchSeed()));
        }
        if (phase == Phase::Playing) {
            const bool moving = core.Library().IsMoving();
            const bool cameToRest = wasMoving && !moving && game.MatchRunning();
            wasMoving = moving;
            if (cameToRest) {
                askEveryTable();
                if (stalemate.AfterShot(DiscsAndScore())) {
                    Print(QStringLiteral("STALEMATE %1").arg(options->stalemateShots));
                    closeMatch();
                    return;
                }
            }
        }
        if (phase == Phase::LastAnswers && checks.reports >= answersExpected)
            closeMatch();
    });
    pollTimer.start(options->tickMs);

    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n > 0 && !QByteArray(buffer, n).contains("quit")) return;
        stdinNotifier.setEnabled(false);
        phase = Phase::Closed;
        core.Close({});
        QTimer::singleShot(kFarewellMs, [&app] { app.exit(0); });
    });

    hostNextMatch();
    return app.exec();
}
