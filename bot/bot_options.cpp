#include "bot/bot_options.h"

namespace {

// A nickname as the join dialog lets a person type one.
constexpr int kLongestName = 10;

ParsedOptions Refused(const QString& why) {
    return {std::nullopt, why};
}

// Where to reach a lobby instead of its domain's own records: "HOST",
// "HOST:PORT" or "[IPV6]:PORT"; false when it is none of them.
bool ReadLobbyAddress(const QString& value, BotOptions& o) {
    QString host = value;
    QString port;
    if (value.startsWith(u'[')) {
        const qsizetype close = value.indexOf(u']');
        if (close < 0) return false;
        host = value.mid(1, close - 1);
        const QString rest = value.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':')) return false;
            port = rest.mid(1);
        }
    } else if (value.count(u':') == 1) {
        host = value.section(u':', 0, 0);
        port = value.section(u':', 1);
    }
    if (host.isEmpty()) return false;
    o.lobbyAddress = host;
    if (port.isNull()) return true;
    bool ok = false;
    const uint number = port.toUInt(&ok);
    if (!ok || number == 0 || number > 65535) return false;
    o.lobbyPort = static_cast<uint16_t>(number);
    return true;
}

}  // namespace

QString BotHelp() {
    return QStringLiteral(
        "usage: ringdisk-bot --host ADDRESS [--port N] [--password P] [--name NAME]\n"
        "                    [--level random|beginner|club|master] [--seed S]\n"
        "                    [--tick-ms MS] [--commands]\n"
        "       ringdisk-bot --lobby SERVER [--lobby-address HOST[:PORT]] [--lobby-ca FILE]\n"
        "                    [--port N] [--public-address ADDRESS] [--password P]\n"
        "                    [--name NAME] [--level L] [--seed S] [--tick-ms MS] [--commands]\n"
        "       ringdisk-bot --help | --version\n"
        "\n"
        "Joins the game hosted at ADDRESS as a computer player and plays its matches\n"
        "until the host closes the game or SIGINT (Ctrl+C) or SIGTERM ends it.\n"
        "With --lobby it hosts a game listed in that online lobby instead, plays\n"
        "whoever joins, and hosts again after each match.\n\n"
        "  --host ADDRESS  the host to join\n"
        "  --port N        the host's port (2500); with --lobby, the port to host on\n"
        "                  (0, the default there, lets the system choose)\n"
        "  --password P    the game's password\n"
        "  --lobby SERVER  the lobby's domain, e.g. lobby.example.org\n"
        "  --lobby-address HOST[:PORT]\n"
        "                  where to reach the lobby instead of its domain's records\n"
        "  --lobby-ca FILE a certificate to trust for the lobby besides the system's\n"
        "  --public-address ADDRESS\n"
        "                  where players who ask are told to connect (this machine's\n"
        "                  own address)\n"
        "  --name NAME     the nickname shown: 1 to 10 characters, no ':' or ',' (Computer);\n"
        "                  in a lobby where it is taken, the next free one: NAME2, NAME3...\n"
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
    bool hostGiven = false, portGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--help") return {std::nullopt, {}, true};
        if (a == u"--version") return {std::nullopt, {}, false, true};
        if (a == u"--commands") {
            o.commands = true;
            continue;
        }
        static const QStringList kValueOptions = {
            "--host",  "--port", "--password", "--name",     "--level",
            "--seed",  "--tick-ms", "--lobby", "--lobby-address", "--lobby-ca",
            "--public-address"};
        if (!kValueOptions.contains(a)) return Refused(QStringLiteral("unknown option ") + a);
        if (i + 1 >= arguments.size()) return Refused(QStringLiteral("%1 needs a value").arg(a));
        const QString value = arguments[++i];
        if (a == u"--host") {
            o.host = value;
            hostGiven = true;
        } else if (a == u"--port") {
            o.port = value;
            portGiven = true;
        } else if (a == u"--lobby") {
            if (value.isEmpty() || value.contains(u':') || value.contains(u'/'))
                return Refused(QStringLiteral("--lobby needs the lobby's domain"));
            o.lobby = value;
        } else if (a == u"--lobby-address") {
            if (!ReadLobbyAddress(value, o))
                return Refused(QStringLiteral("--lobby-address needs HOST or HOST:PORT"));
        } else if (a == u"--lobby-ca") {
            o.lobbyCa = value;
        } else if (a == u"--public-address") {
            if (value.isEmpty()) return Refused(QStringLiteral("--public-address needs an address"));
            o.publicAddress = value;
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
    const bool hosting = !o.lobby.isEmpty();
    if (hostGiven == hosting) return Refused(QStringLiteral("either --host or --lobby is needed"));
    if (!hosting && (!o.lobbyAddress.isEmpty() || !o.lobbyCa.isEmpty() || !o.publicAddress.isEmpty()))
        return Refused(QStringLiteral("--lobby-address, --lobby-ca and --public-address go with --lobby"));
    if (hosting) {
        if (!portGiven) o.port = QStringLiteral("0");
        if (!ListeningPort(o)) return Refused(QStringLiteral("--port needs a port from 0 to 65535"));
    }
    return {o, {}};
}

std::optional<uint16_t> ListeningPort(const BotOptions& options) {
    bool ok = false;
    const uint port = options.port.toUInt(&ok);
    if (!ok || port > 65535) return std::nullopt;
    return static_cast<uint16_t>(port);
}
