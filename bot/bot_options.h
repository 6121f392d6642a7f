// The computer player's command line:
//
//   ringdisk-bot --host ADDRESS [--port N] [--password P] [--name NAME]
//                [--level L] [--seed S] [--tick-ms N]
//
// --level is random, beginner, club (the default) or master; --seed makes
// every decision reproducible (the default is drawn at start and printed);
// --tick-ms runs the frame loop faster than a screen would, for tests and
// the strength benchmark.
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
};

// The options, or the reason they are refused. arguments without the
// program's name.
struct ParsedOptions {
    std::optional<BotOptions> options;
    QString error;
};
ParsedOptions ParseBotOptions(const QStringList& arguments);

QString BotUsage();
