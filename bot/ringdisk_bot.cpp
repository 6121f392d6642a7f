// ringdisk-bot: a computer player that joins an online game as any client
// does and plays the matches the host gives it, or, with --lobby, hosts a
// game listed in the online lobby and plays whoever joins. It needs no
// display and no sound. It writes one line per event to standard output
// (READY, JOINED, MATCH, DECIDED, SHOT, RESULT, LEFT; in a lobby also LOBBY,
// HOSTING, SEATED, LOBBY-LOST) and leaves the game cleanly on SIGINT or
// SIGTERM; with --commands also on a "quit" line or at the end of its
// standard input, which it otherwise never reads.
//
// Exit status: 0 when it left or the host closed the game, 1 when it could
// not join (or, in a lobby, not host), 2 for a bad command line, 3 when the
// connection to the host was lost.
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <random>

#include "bot/bot_options.h"
#include "bot/bot_player.h"
#include "bot/lobby_host.h"
#include "bot/quiet_view.h"
#include "frontend/session/frontend_core.h"
#include "frontend/session/stop_signals.h"
#include "frontend/texts/command_line.h"

namespace {

constexpr int kEnglish = 2;
// Lets the goodbye reach the host before the process ends.
constexpr int kFarewellMs = 100;

enum ExitStatus { kLeft = 0, kNotJoined = 1, kBadCommandLine = kCommandLineRefused, kHostLost = 3 };

void Print(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

uint64_t FreshSeed() {
    std::random_device device;
    return (static_cast<uint64_t>(device()) << 32) | device();
}

lobby::LobbyServer LobbyOf(const BotOptions& options) {
    lobby::LobbyServer server = lobby::LobbyServerAt(options.lobby);
    server.connectHost = options.lobbyAddress;
    server.port = options.lobbyPort;
    server.caFile = options.lobbyCa;
    return server;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ParsedOptions parsed = ParseBotOptions(app.arguments().mid(1));
    if (!parsed.options) {
        const CommandLineVerdict verdict =
            parsed.helpAsked      ? CommandLineVerdict{CommandLineVerdict::kHelp, {}}
            : parsed.versionAsked ? CommandLineVerdict{CommandLineVerdict::kVersion, {}}
                                  : CommandLineVerdict::Refused(parsed.error);
        return AnswerCommandLine("ringdisk-bot", verdict, BotHelp());
    }
    const BotOptions& options = *parsed.options;
    const uint64_t seed = options.seed.value_or(FreshSeed());

    QuietView view;
    FrontendCore core(view, [](int) {});  // the chat's sound jokes go unheard
    core.Online().SetLanguage(kEnglish);
    core.Online().SetNickname(options.name);
    if (options.tickMs < HighPrecisionTimer::kPeriodMs) core.Loop().SetMinimumTickMs(0);
    core.Start(false, options.tickMs);
    BotPlayer player(core, options.level, seed, Print);
    player.Attach();

    // A match's result stays on the players' screens for half the pause
    // before the next match, then the lobby's game closes and opens anew.
    const int resultMs = std::min(kMatchOverTicks * options.tickMs / 2, 3000);
    std::unique_ptr<LobbyHost> lobbyHost;
    if (!options.lobby.isEmpty()) {
        lobbyHost = std::make_unique<LobbyHost>(core, LobbyOf(options), options.name,
                                                *ListeningPort(options), options.password,
                                                resultMs, Print);
        if (!options.publicAddress.isEmpty()) lobbyHost->SetPublicAddress(options.publicAddress);
    }

    QTimer pollTimer;
    bool leaving = false;
    const auto finish = [&](const QString& why, int status) {
        if (leaving) return;
        leaving = true;
        pollTimer.stop();
        core.Close({});
        Print(QStringLiteral("LEFT ") + why);
        QTimer::singleShot(kFarewellMs, [&app, status] { app.exit(status); });
    };
    const auto leaveOnRequest = [&] { finish(QStringLiteral("on request"), kLeft); };

    bool joined = false;
    QObject::connect(&pollTimer, &QTimer::timeout, [&] {
        player.Poll();
        if (!lobbyHost) return;
        lobbyHost->Poll();
        if (lobbyHost->HostFailed()) finish(QStringLiteral("no game could be hosted"), kNotJoined);
    });
    core.Online().SetSessionListener([&](const SessionEvent& event) {
        if (lobbyHost) lobbyHost->OnSessionEvent(event);
        if (const auto* seat = std::get_if<session::SeatTaken>(&event)) {
            if (!joined) Print(QStringLiteral("JOINED %1").arg(seat->slot));
            joined = true;
        } else if (const auto* match = std::get_if<session::MatchStarted>(&event)) {
            Print(QStringLiteral("MATCH %1 %2 %3")
                      .arg(match->greenSlot)
                      .arg(match->redSlot)
                      .arg(match->seed));
        } else if (const auto* end = std::get_if<session::Ended>(&event); end && !lobbyHost) {
            // Unless the player asked to leave (and has gone already), the host
            // said goodbye, refused us, or went away. The message that says why
            // may follow the end, so the player leaves once the end has run.
            const bool hostClosed = end->reason == SessionEnd::HostClosed;
            QTimer::singleShot(0, [&, hostClosed] {
                if (hostClosed) {
                    finish(QStringLiteral("the host closed the game"), kLeft);
                } else {
                    finish(view.lastMessage, joined ? kHostLost : kNotJoined);
                }
            });
        }
    });

    if (lobbyHost) {
        lobbyHost->SignIn();
    } else if (!core.Online().Join(options.host, options.port, options.password)) {
        std::fprintf(stderr, "ringdisk-bot: %s\n", qPrintable(view.lastMessage));
        return kBadCommandLine;
    }
    pollTimer.start(options.tickMs);

    StopSignals stopSignals(leaveOnRequest);
    // Run in the background of a shell, reading the terminal would stop the
    // process; ignored, the read fails and the player just stops listening.
    std::signal(SIGTTIN, SIG_IGN);
    QByteArray input;
    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    // Only a driver that asked for it is listened to: started by a launcher,
    // a service or nohup, the input is often at its end at once, and that is
    // no request to leave.
    stdinNotifier.setEnabled(options.commands);
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, [&] {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0) {
            if (errno != EAGAIN && errno != EINTR) stdinNotifier.setEnabled(false);
            return;
        }
        if (n == 0) {
            stdinNotifier.setEnabled(false);
            leaveOnRequest();
            return;
        }
        input.append(buffer, n);
        qsizetype newline;
        while ((newline = input.indexOf('\n')) >= 0) {
            const QByteArray line = input.left(newline).trimmed().toLower();
            input.remove(0, newline + 1);
            if (line == "quit" || line == "quit:") leaveOnRequest();
        }
    });

    Print(QStringLiteral("READY %1 %2").arg(ai::LevelName(options.level)).arg(seed));
    const int status = app.exec();
    core.Online().SetSessionListener({});  // it speaks of this function's own variables
    return status;
}
