// The computer player's command line:
//
//   ringdisk-bot --host ADDRESS [--port N] [--password P] [--name NAME]
//                [--level L] [--seed S] [--tick-ms N] [--commands]
//   ringdisk-bot --lobby SERVER [--lobby-address HOST[:PORT]] [--lobby-ca FILE]
//                [--port N] [--public-address ADDRESS] [--name NAME] [--level L] ...
//   ringdisk-bot --help | --version
//
// With --host it joins that game; with --lobby it signs in to the lobby and
// hosts a listed game there instead, on --port (0, the default there, lets
// the system choose), telling players who ask to connect to
// --public-address or else this machine's own address.
// --level is random, beginner, club (the default) or master; --seed makes
// every decision reproducible (the default is drawn at start and printed);
// --tick-ms runs the frame loop faster than a screen would, for tests and
// the strength benchmark; --commands has the player read its standard input
// for commands, which it otherwise never reads: a launcher, a service, nohup
// or a script often give it an input that ends at once.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "ai/play_level.h"

struct BotOptions {
    QString host;
    QString port = QStringLiteral("2500");
    // Hosting in a lobby instead of joining a host: its domain, and where to
    // reach it instead of the domain's records (port 0: the standard one).
    QString lobby;
    QString lobbyAddress;
    uint16_t lobbyPort = 0;
    QString lobbyCa;
    QString publicAddress;
    QString password;
    QString name = QStringLiteral("Computer");
    ai::Level level = ai::Level::Club;
    std::optional<uint64_t> seed;
    int tickMs = 16;
    bool commands = false;
};

// The options, or the reason they are refused, or a request for the help
// text or the version. arguments without the program's name.
struct ParsedOptions {
    std::optional<BotOptions> options;
    QString error;
    bool helpAsked = false;
    bool versionAsked = false;
};
ParsedOptions ParseBotOptions(const QStringList& arguments);

// The port a lobby host listens on: --port as a number, 0 to let the system
// choose; nullopt when it is not one.
std::optional<uint16_t> ListeningPort(const BotOptions& options);

// The synopsis and what each option does, for --help.
QString BotHelp();
