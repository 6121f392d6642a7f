// How every program of the game answers its command line, as Linux programs
// do: --help prints the usage on standard output and --version the name and
// version, both with exit status 0 and before anything needs a display; a
// command line that cannot be followed gets one line on standard error,
// naming the option and where the help is, and exit status 2.
#pragma once

#include <QString>

inline constexpr int kCommandLineRefused = 2;

// What a program's own reading of its arguments decided.
struct CommandLineVerdict {
    enum Kind { kRun, kHelp, kVersion, kRefused };
    Kind kind = kRun;
    QString why;  // for kRefused: what was wrong, without the program's name

    static CommandLineVerdict Refused(const QString& why) { return {kRefused, why}; }
};

// "program 1.1".
QString VersionLine(const char* program);

// Prints what the verdict asks for and answers the exit status; nothing
// for kRun (then the program goes on, and the answer means nothing).
int AnswerCommandLine(const char* program, const CommandLineVerdict& verdict,
                      const QString& help);
