#include "bot/lobby_host.h"

#include <utility>

namespace {

// As the command line allows a name.
constexpr int kLongestNickname = 10;

}  // namespace

QString NicknameAttempt(const QString& name, int attempt) {
    if (attempt <= 1) return name;
    const QString number = QString::number(attempt);
    return name.left(kLongestNickname - number.size()) + number;
}

LobbyHost::LobbyHost(FrontendCore& core, lobby::LobbyServer server, QString name, quint16 port,
                     QString password, int resultMs, Report report)
    : core_(core),
      server_(std::move(server)),
      name_(std::move(name)),
      port_(port),
      password_(std::move(password)),
      resultMs_(resultMs),
      report_(std::move(report)) {
    signInAgain_.setSingleShot(true);
    QObject::connect(&signInAgain_, &QTimer::timeout, [this] { SignIn(); });
    hostAgain_.setSingleShot(true);
    QObject::connect(&hostAgain_, &QTimer::timeout, [this] { HostAgain(); });
}

void LobbyHost::SetPublicAddress(const QString& address) {
    matchmaker_.SetOwnAddress([address] { return address; });
}

void LobbyHost::SignIn() {
    if (nickname_.isEmpty()) nickname_ = NicknameAttempt(name_, attempt_);
    if (!matchmaker_.SignIn(server_, nickname_)) {
        report_(QStringLiteral("LOBBY-LOST the nickname %1 cannot be used").arg(nickname_));
        hostFailed_ = true;
    }
}

QString LobbyHost::NextNickname() {
    tried_ << nickname_;
    while (++attempt_ <= kMostNicknames) {
        const QString next = NicknameAttempt(name_, attempt_);
        if (!tried_.contains(next)) return next;
    }
    return {};
}

void LobbyHost::LobbyReport(const lobby::LobbyEvent& event) {
    if (const auto* in = std::get_if<lobby::SignedIn>(&event)) {
        // Signed in again after a lost lobby, the name that got in is tried first.
        attempt_ = 1;
        tried_.clear();
        report_(QStringLiteral("LOBBY %1").arg(in->nickname));
        // The listing shows the game's own name for the host: the same one.
        if (!core_.Online().IsHost()) {
            core_.Online().SetNickname(in->nickname);
            Host();
        }
    } else if (std::holds_alternative<lobby::NicknameTaken>(event)) {
        nickname_ = NextNickname();
        if (!nickname_.isEmpty()) {
            SignIn();
            return;
        }
        attempt_ = 1;
        tried_.clear();
        report_(QStringLiteral("LOBBY-LOST %1 nicknames are taken").arg(kMostNicknames));
        signInAgain_.start(kSignInAgainMs);
    } else if (const auto* failure = std::get_if<lobby::Failure>(&event)) {
        report_(QStringLiteral("LOBBY-LOST ") + failure->detail);
        signInAgain_.start(kSignInAgainMs);
    }
}

void LobbyHost::Host() {
    if (!core_.Online().HostOnPort(port_, password_)) {
        report_(QStringLiteral("NOT-HOSTING port %1 could not be opened").arg(port_));
        hostFailed_ = true;
        return;
    }
    report_(QStringLiteral("HOSTING %1").arg(core_.Online().ListeningPort()));
}

void LobbyHost::HostAgain() {
    core_.Online().LeaveGame(false);
    Host();
}

void LobbyHost::OnSessionEvent(const SessionEvent& event) {
    const auto* seated = std::get_if<session::PlayerSeated>(&event);
    if (!seated) return;
    report_(QStringLiteral("SEATED %1").arg(seated->slot));
    OnlineGame& game = core_.Online();
    if (!game.MatchRunning() && !game.CountdownRunning() && !hostAgain_.isActive())
        game.StartFirstMatch();
}

// The end of a match is read from the game, as the lobby's listing is: a
// win, a draw, or the opponent gone all end it.
void LobbyHost::Poll() {
    const bool running = core_.Online().MatchRunning();
    if (matchWasRunning_ && !running && core_.Online().IsHost()) hostAgain_.start(resultMs_);
    matchWasRunning_ = running;
}
