// headless_peer: one player of an online game without a window. Reads
// commands from a script file and then from standard input, and writes every
// event it sees to standard output, one per line.
//
//   headless_peer [--name NAME] [--script FILE] [--tick-ms N] [--high]
//                 [--language 1|2|3] [--lifetime SECONDS] [--hold-seconds N]
//                 [--replays FOLDER] [--map-port [LEASE]]
//                 [--lobby DOMAIN [--lobby-address HOST] [--lobby-port N]
//                  [--lobby-ca FILE] [--public-address ADDRESS]]
//
// With --replays, every match it plays or watches is kept as a replay there.
// With --map-port, a game it hosts on a given port asks the router to
// forward that port, for the lease given (an hour unless told).
// With --lobby, it signs in to that online lobby under its name: a game it
// hosts is listed there, and "lobbyjoin" joins a listed game (peer_lobby.h).
// --lobby-address and --lobby-port say where to reach the lobby instead of
// its domain's records, --lobby-ca a certificate to trust for it, and
// --public-address where players who ask are told to connect.
// It ends on "quit", at the end of standard input, after its lifetime (60 s
// unless told otherwise), so a test that dies leaves nothing behind, or on
// SIGTERM or SIGINT, leaving its game the orderly way.
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "frontend/session/frontend_core.h"
#include "frontend/session/stop_signals.h"
#include "frontend/view/headless_view.h"
#include "peer_commands.h"
#include "peer_lobby.h"
#include "vexlib/exports.h"

namespace {

void Print(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString name = QStringLiteral("Guest");
    QString script;
    QString replays;
    int tickMs = 2;
    int language = 2;
    int lifetimeSeconds = 60;
    int holdSeconds = -1;  // the game's own unless given
    bool high = false;
    bool mapPort = false;
    int mapLeaseSeconds = PortMapper::kDefaultLeaseSeconds;
    QString lobbyDomain;
    lobby::LobbyServer lobbyServer;
    QString publicAddress;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString value = args.value(i + 1);
        if (a == u"--name") {
            name = value;
            ++i;
        } else if (a == u"--script") {
            script = value;
            ++i;
        } else if (a == u"--tick-ms") {
            tickMs = value.toInt();
            ++i;
        } else if (a == u"--language") {
            language = value.toInt();
            ++i;
        } else if (a == u"--lifetime") {
            lifetimeSeconds = value.toInt();
            ++i;
        } else if (a == u"--hold-seconds") {
            holdSeconds = value.toInt();
            ++i;
        } else if (a == u"--replays") {
            replays = value;
            ++i;
        } else if (a == u"--lobby") {
            lobbyDomain = value;
            ++i;
        } else if (a == u"--lobby-address") {
            lobbyServer.connectHost = value;
            ++i;
        } else if (a == u"--lobby-port") {
            lobbyServer.port = static_cast<uint16_t>(value.toUInt());
            ++i;
        } else if (a == u"--lobby-ca") {
            lobbyServer.caFile = value;
            ++i;
        } else if (a == u"--public-address") {
            publicAddress = value;
            ++i;
        } else if (a == u"--high") {
            high = true;
        } else if (a == u"--map-port") {
            mapPort = true;
            if (value.toInt() > 0) {
                mapLeaseSeconds = value.toInt();
                ++i;
            }
        } else {
            Print(
                QStringLiteral("usage: headless_peer [--name N] [--script F] [--tick-ms N] "
                               "[--high] [--language L] [--lifetime S] [--hold-seconds N] "
                               "[--replays F] [--map-port [LEASE]] [--lobby DOMAIN [--lobby-address H] "
                               "[--lobby-port N] [--lobby-ca F] [--public-address A]]"));
            return 2;
        }
    }

    HeadlessView view(Print);
    FrontendCore core(view, [](int effect) {
        Print(QStringLiteral("SFX %1").arg(effect));
        PlaySFX(static_cast<int16_t>(effect));
    });
    core.Online().SetLanguage(language);
    core.Online().SetNickname(name);
    if (holdSeconds >= 0) core.Online().SetSeatHoldSeconds(holdSeconds);
    core.SetReplayFolder(replays);
    core.Online().Forwarding().SetEnabled(mapPort);
    core.Online().Forwarding().SetLeaseSeconds(mapLeaseSeconds);
    std::unique_ptr<PeerLobby> lobby;
    if (!lobbyDomain.isEmpty()) {
        lobby::LobbyServer server = lobby::LobbyServerAt(lobbyDomain);
        server.connectHost = lobbyServer.connectHost;
        server.port = lobbyServer.port;
        server.caFile = lobbyServer.caFile;
        lobby = std::make_unique<PeerLobby>(core, server, Print);
        if (!publicAddress.isEmpty()) lobby->SetPublicAddress(publicAddress);
    }
    PeerCommands commands(core, lobby.get(), Print, [&] {
        core.Close({});
        app.quit();
    });
    StopSignals stop([&] {
        Print(QStringLiteral("STOPPED"));
        core.Close({});
        app.quit();
    });

    // Tests play whole matches: the tick may run faster than a screen would.
    if (tickMs < HighPrecisionTimer::kPeriodMs) core.Loop().SetMinimumTickMs(0);
    core.Start(high, tickMs);

    QTimer::singleShot(lifetimeSeconds * 1000, [&] {
        Print(QStringLiteral("LIFETIME"));
        core.Close({});
        app.quit();
    });

    if (!script.isEmpty()) {
        QFile file(script);
        if (!file.open(QIODevice::ReadOnly)) {
            Print(QStringLiteral("NOSCRIPT ") + script);
            return 1;
        }
        commands.Add(QString::fromUtf8(file.readAll()).split(u'\n'));
    }

    QByteArray input;
    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            stdinNotifier.setEnabled(false);
            commands.Add({QStringLiteral("quit")});
            return;
        }
        input.append(buffer, n);
        qsizetype newline;
        while ((newline = input.indexOf('\n')) >= 0) {
            commands.Add({QString::fromUtf8(input.left(newline))});
            input.remove(0, newline + 1);
        }
    });
    Print(QStringLiteral("READY"));
    if (lobby) lobby->SignIn(name);
    return app.exec();
}
