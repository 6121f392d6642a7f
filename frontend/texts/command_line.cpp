#include "frontend/texts/command_line.h"

#include <cstdio>

QString VersionLine(const char* program) {
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(program), QStringLiteral(RINGDISK_VERSION));
}

int AnswerCommandLine(const char* program, const CommandLineVerdict& verdict,
                      const QString& help) {
    switch (verdict.kind) {
    case CommandLineVerdict::kRun:
        return 0;
    case CommandLineVerdict::kHelp:
        std::fputs(help.toLocal8Bit().constData(), stdout);
        if (!help.endsWith(u'\n')) std::fputc('\n', stdout);
        return 0;
    case CommandLineVerdict::kVersion:
        std::printf("%s\n", VersionLine(program).toLocal8Bit().constData());
        return 0;
    case CommandLineVerdict::kRefused:
        std::fprintf(stderr, "%s: %s (see %s --help)\n", program,
                     verdict.why.toLocal8Bit().constData(), program);
        return kCommandLineRefused;
    }
    return kCommandLineRefused;
}
