#include "frontend/ui/computer_opponent.h"

#include <QRandomGenerator>
#include <QTimer>

namespace {

// The bot says goodbye on SIGTERM; a bot that hangs is not waited for longer.
constexpr int kBotGoodbyeMs = 2000;
constexpr int kPasswordChars = 16;

QString RandomPassword() {
    static const char kAlphabet[] = "abcdefghijkmnpqrstuvwxyz23456789";
    QString password;
    for (int i = 0; i < kPasswordChars; ++i)
        password += QChar(kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet) - 1)]);
    return password;
}

}  // namespace

ComputerOpponent::ComputerOpponent(FrontendCore& core, QString botProgram)
    : core_(core), botProgram_(std::move(botProgram)) {
    bot_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bot_.setStandardOutputFile(QProcess::nullDevice());
    // The bot takes no commands from here: it leaves on SIGTERM (StopBot)
    // or, should this program die first, when the game it joined goes away.
    bot_.setStandardInputFile(QProcess::nullDevice());
    core_.Online().SetSessionListener([this](const SessionEvent& e) { OnSessionEvent(e); });
}

ComputerOpponent::~ComputerOpponent() {
    core_.Online().SetSessionListener({});
    StopBot();
}

bool ComputerOpponent::Start(const QString& level, const QString& botName) {
    StopBot();
    const QString password = RandomPassword();
    OnlineGame& game = core_.Online();
    if (!game.HostOnPort(0, password)) return false;
    bot_.start(botProgram_, {"--host", "127.0.0.1", "--port", QString::number(game.ListeningPort()),
                             "--password", password, "--name", botName, "--level", level});
    if (!bot_.waitForStarted()) {
        qWarning("ringdisk: could not start the computer player %s: %s", qPrintable(botProgram_),
                 qPrintable(bot_.errorString()));
        game.LeaveGame(true);
        return false;
    }
    startWhenSeated_ = true;
    core_.SetAgainstComputer(true);
    return true;
}

void ComputerOpponent::OnSessionEvent(const SessionEvent& event) {
    if (std::holds_alternative<session::Ended>(event)) {
        core_.SetAgainstComputer(false);
        StopBot();
        return;
    }
    if (!std::holds_alternative<session::PlayerSeated>(event) || !startWhenSeated_) return;
    startWhenSeated_ = false;
    // After the admission that seated the bot has run to its end.
    QTimer::singleShot(0, &bot_, [this] {
        OnlineGame& game = core_.Online();
        if (game.IsHost() && !game.MatchRunning()) game.StartFirstMatch();
    });
}

void ComputerOpponent::StopBot() {
    startWhenSeated_ = false;
    if (bot_.state() == QProcess::NotRunning) return;
    bot_.terminate();
    if (!bot_.waitForFinished(kBotGoodbyeMs)) bot_.kill();
    bot_.waitForFinished(kBotGoodbyeMs);
}
