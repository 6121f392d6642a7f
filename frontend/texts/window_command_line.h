// The window program's command line.
//
//   ringdisk [-d|-debug] [-h|-high] [--replay FILE] [Qt options]
//   ringdisk --help | --version
//
// "-d"/"-debug" count as the first argument only and "-h"/"-high" as the
// first or the second, in any letter case, counted after Qt took its own
// options out; anywhere else they are accepted and change nothing, as the
// game has always done. "--replay FILE" starts straight into watching it.
// Qt's own options (-display, -platform, -style, ...) are Qt's to read.
#pragma once

#include <QString>
#include <QStringList>

#include "frontend/texts/command_line.h"

struct CommandLineOptions {
    bool debug = false;      // "-d"/"-debug" as the first argument
    bool highTimer = false;  // "-h"/"-high" as the first or second argument
    QString replayFile;      // after "--replay"; empty when none
};
// The arguments as Qt leaves them, without the program name.
CommandLineOptions ParseCommandLine(const QStringList& arguments);

// Whether the whole command line, Qt's options still in it and without the
// program name, can be followed; read before any display is opened.
CommandLineVerdict CheckWindowCommandLine(const QStringList& arguments);

// The text of --help.
QString WindowHelp();
