#include "bot/bot_options.h"

namespace {

// A nickname as the join dialog lets a person type one.
constexpr int kLongestName = 10;

ParsedOptions Refused(const QString& why) {
    return {std::nullopt, why};
}

}  // namespace

QString BotUsage() {
    return QStringLiteral(
        "usage: ringdisk-bot --host ADDRESS [--port N] [--password P] [--name NAME]\n"
        "                    [--level random|beginner|club|master] [--seed S]");
}

ParsedOptions ParseBotOptions(const QStringList& arguments) {
    BotOptions o;
    bool hostGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
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
        } else {
            return Refused(QStringLiteral("unknown option ") + a);
        }
    }
    if (!hostGiven) return Refused(QStringLiteral("--host is needed"));
    return {o, {}};
}
