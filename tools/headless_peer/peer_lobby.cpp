#include "peer_lobby.h"

namespace {

QString JoinFailureWord(lobby::JoinFailure why) {
    switch (why) {
        case lobby::JoinFailure::NotListed: return QStringLiteral("not-listed");
        case lobby::JoinFailure::OtherVersion: return QStringLiteral("other-version");
        case lobby::JoinFailure::NoAnswer: return QStringLiteral("no-answer");
        case lobby::JoinFailure::NotSignedIn: return QStringLiteral("not-signed-in");
        case lobby::JoinFailure::Busy: return QStringLiteral("busy");
        case lobby::JoinFailure::NoRelay: return QStringLiteral("no-relay");
        case lobby::JoinFailure::RelayFailed: return QStringLiteral("relay-failed");
    }
    return QStringLiteral("unknown");
}

}  // namespace

PeerLobby::PeerLobby(FrontendCore& core, lobby::LobbyServer server, std::function<void(const QString&)> print)
    : server_(std::move(server)), print_(std::move(print)), matchmaker_(core, *this) {
    signInAgain_.setSingleShot(true);
    QObject::connect(&signInAgain_, &QTimer::timeout, [this] { SignIn(nickname_); });
}

void PeerLobby::SetPublicAddress(const QString& address) {
    matchmaker_.SetOwnAddress([address] { return address; });
}

void PeerLobby::SignIn(const QString& nickname) {
    nickname_ = nickname;
    if (!matchmaker_.SignIn(server_, nickname_))
        print_(QStringLiteral("LOBBYLOST the nickname %1 cannot be used").arg(nickname_));
}

void PeerLobby::LobbyReport(const lobby::LobbyEvent& event) {
    using namespace lobby;
    if (const auto* in = std::get_if<SignedIn>(&event)) {
        print_(QStringLiteral("LOBBY ") + in->nickname);
    } else if (const auto* failure = std::get_if<Failure>(&event)) {
        print_(QStringLiteral("LOBBYLOST ") + failure->detail);
        signInAgain_.start(kSignInAgainMs);
    } else if (std::holds_alternative<NicknameTaken>(event)) {
        print_(QStringLiteral("LOBBYLOST the nickname %1 is taken").arg(nickname_));
    } else if (const auto* seen = std::get_if<GameSeen>(&event)) {
        print_(QStringLiteral("LISTED ") + seen->occupant);
    } else if (const auto* gone = std::get_if<GameGone>(&event)) {
        print_(QStringLiteral("UNLISTED ") + gone->occupant);
    } else if (const auto* ready = std::get_if<RelayReady>(&event)) {
        print_(QStringLiteral("RELAYED ") + ready->occupant);
    } else if (const auto* failed = std::get_if<RelayFailed>(&event)) {
        print_(QStringLiteral("RELAYFAILED %1 %2").arg(failed->occupant, failed->detail));
    }
}

void PeerLobby::JoinFailed(const QString& host, lobby::JoinFailure why) {
    print_(QStringLiteral("JOINFAILED %1 %2").arg(host, JoinFailureWord(why)));
}
