// The computer player's command line:
//
//   ringdisk-bot --host ADDRESS [--port N] [--password P] [--name NAME]
//                [--level L] [--seed S] [--tick-ms N] [--commands]
//   ringdisk-bot --help | --version
//
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

// The synopsis and what each option does, for --help.
QString BotHelp();
