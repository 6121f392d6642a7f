#include "bot/bot_options.h"

namespace {

// A nickname as the join dialog lets a person type one.
constexpr int kLongestName = 10;

ParsedOptions Refused(const QString& why) {
    return {std::nullopt, why};
}

}  // namespace

QString BotHelp() {
    return QStringLiteral(
        "usage: ringdisk-bot --host ADDRESS [--port N] [--password P] [--name NAME]\n"
        "                    [--level random|beginner|club|master] [--seed S]\n"
        "                    [--tick-ms MS] [--commands]\n"
        "       ringdisk-bot --help | --version\n"
        "\n"
        "Joins the game hosted at ADDRESS as a computer player and plays its matches\n"
        "until the host closes the game or SIGINT (Ctrl+C) or SIGTERM ends it.\n\n"
        "  --host ADDRESS  the host to join\n"
        "  --port N        the host's port (2500)\n"
        "  --password P    the game's password\n"
        "  --name NAME     the nickname shown: 1 to 10 characters, no ':' or ',' (Computer)\n"
        "  --level L       random, beginner, club (the default) or master\n"
        "  --seed S        a whole number: the same seed plays the same shots\n"
        "  --tick-ms MS    the frame tick (16); smaller plays faster\n"
        "  --commands      read commands from standard input: a \"quit\" line or the\n"
        "                  end of the input makes the player leave. Without it,\n"
        "                  standard input is never read, so nohup, a service or a\n"
        "                  script that gives the player no input leave it playing.\n"
        "  --help          show this text\n"
        "  --version       show the program's name and version\n");
}

ParsedOptions ParseBotOptions(const QStringList& arguments) {
    BotOptions o;
    bool hostGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--help") return {std::nullopt, {}, true};
        if (a == u"--version") return {std::nullopt, {}, false, true};
        if (a == u"--commands") {
            o.commands = true;
            continue;
        }
        static const QStringList kValueOptions = {"--host", "--port", "--password", "--name",
                                                  "--level", "--seed", "--tick-ms"};
        if (!kValueOptions.contains(a)) return Refused(QStringLiteral("unknown option ") + a);
        if (i + 1 >= arguments.size()) return Refused(QStringLiteral("%1 needs a value").arg(a));
        const QString value = arguments[++i];
        if (a == u"--host") {
            o.host = value;
            hostGiven = true;
        } else if (a == u"--port") {
            o.port = value;
        } else if (a == u"--password") {
            o.password = value;
        } else if (a == u"--name") {
            if (value.isEmpty() || value.size() > kLongestName || value.contains(u':') ||
                value.contains(u','))
                return Refused(QStringLiteral("a name has 1 to 10 characters, no ':' or ','"));
            o.name = value;
        } else if (a == u"--level") {
            const auto level = ai::ParseLevel(value.toStdString());
            if (!level) return Refused(QStringLiteral("unknown level ") + value);
            o.level = *level;
        } else if (a == u"--seed") {
            bool ok = false;
            o.seed = value.toULongLong(&ok);
            if (!ok) return Refused(QStringLiteral("a seed is a whole number"));
        } else if (a == u"--tick-ms") {
            bool ok = false;
            o.tickMs = value.toInt(&ok);
            if (!ok || o.tickMs < 1) return Refused(QStringLiteral("--tick-ms needs 1 or more"));
        }
    }
    if (!hostGiven) return Refused(QStringLiteral("--host is needed"));
    return {o, {}};
}
