#include "frontend/texts/window_command_line.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr char kReplayOption[] = "--replay";

// Every Qt program's options (QGuiApplication's and QApplication's, and the
// X11 ones), which Qt reads with one dash or two: those that take a value,
// as the next argument or after '='; then those that stand alone.
constexpr const char* kQtValueOptions[] = {
    "style",      "stylesheet",  "platform", "platformpluginpath", "platformtheme",
    "plugin",     "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
    "display",    "geometry",    "name",     "title",              "qmljsdebugger",
    "dialogs",    "fontengine"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool Names(const char* const* begin, const char* const* end, const QString& name) {
    return std::any_of(begin, end, [&](const char* known) { return name == QLatin1String(known); });
}

// The option's name without its dashes and any "=value".
QString QtName(const QString& argument) {
    QString name = argument.mid(argument.startsWith(u"--") ? 2 : 1);
    return name.section(u'=', 0, 0);
}

bool IsDesignSwitch(const QString& argument) {
    const QString a = argument.toLower();
    return a == u"-d" || a == u"-debug" || a == u"-h" || a == u"-high";
}

}  // namespace

CommandLineOptions ParseCommandLine(const QStringList& arguments) {
    CommandLineOptions options;
    const QString first = arguments.value(0).toLower();
    const QString second = arguments.value(1).toLower();
    options.debug = first == u"-d" || first == u"-debug";
    options.highTimer =
        first == u"-h" || first == u"-high" || second == u"-h" || second == u"-high";
    if (const qsizetype at = arguments.indexOf(QLatin1String(kReplayOption));
        at >= 0 && at + 1 < arguments.size())
        options.replayFile = arguments[at + 1];
    return options;
}

CommandLineVerdict CheckWindowCommandLine(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--help") return {CommandLineVerdict::kHelp, {}};
        if (a == u"--version") return {CommandLineVerdict::kVersion, {}};
        if (IsDesignSwitch(a)) continue;
        if (a == QLatin1String(kReplayOption)) {
            if (++i >= arguments.size())
                return CommandLineVerdict::Refused(QStringLiteral("--replay needs a file"));
            continue;
        }
        if (!a.startsWith(u'-') || a == u"-")
            return CommandLineVerdict::Refused(QStringLiteral("unexpected argument '%1'").arg(a));
        const QString name = QtName(a);
        if (Names(std::begin(kQtFlags), std::end(kQtFlags), name)) continue;
        if (!Names(std::begin(kQtValueOptions), std::end(kQtValueOptions), name))
            return CommandLineVerdict::Refused(QStringLiteral("unknown option '%1'").arg(a));
        if (!a.contains(u'=') && ++i >= arguments.size())
            return CommandLineVerdict::Refused(QStringLiteral("%1 needs a value").arg(a));
    }
    return {};
}

QString WindowHelp() {
    return QStringLiteral(
        "usage: ringdisk [-d|-debug] [-h|-high] [--replay FILE] [Qt options]\n"
        "       ringdisk --help | --version\n"
        "\n"
        "The 3D disc-flicking table game: practice alone, play online or against the\n"
        "computer. Without arguments it opens the game's window.\n"
        "\n"
        "  -d, -debug      as the first argument: the game library's debug switch\n"
        "  -h, -high       as the first or second argument: the frame tick on a timer\n"
        "                  thread of its own instead of the window's timer\n"
        "  --replay FILE   opens the window watching a recorded match (*.rdreplay); the\n"
        "                  game keeps every match and practice run in its replays\n"
        "                  folder (see ringdisk(6))\n"
        "  --help          shows this text\n"
        "  --version       shows the program's name and version\n"
        "\n"
        "The options of every Qt program, such as -display DISPLAY, are taken too.\n");
}
