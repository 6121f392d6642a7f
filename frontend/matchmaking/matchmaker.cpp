#include "frontend/matchmaking/matchmaker.h"

#include <QDateTime>

#include "frontend/net/own_address.h"
#include "frontend/texts/ui_texts.h"
#include "frontend/texts/window_texts.h"

namespace lobby {

namespace {

QString OwnVersion() {
    return QString::fromLatin1(kVersionText);
}

const char* Why(JoinFailure why) {
    switch (why) {
        case JoinFailure::NotListed: return "that host lists no game";
        case JoinFailure::OtherVersion: return "the host runs another version";
        case JoinFailure::NoAnswer: return "the host gave no usable address in time";
        case JoinFailure::NotSignedIn: return "not in the lobby";
        case JoinFailure::Busy: return "already in a game, a practice or a join";
        case JoinFailure::NoRelay: return "the host cannot be reached directly and the lobby has no relay";
        case JoinFailure::RelayFailed: return "the host cannot be reached directly nor through the relay";
    }
    return "";
}

}  // namespace

Matchmaker::Matchmaker(FrontendCore& core, MatchmakerObserver& observer)
    : core_(core), observer_(observer), ownAddress_(OwnIpv4Address) {
    QObject::connect(&refresh_, &QTimer::timeout, [this] { Refresh(); });
    refresh_.start(kRefreshMs);
    answerTimer_.setSingleShot(true);
    QObject::connect(&answerTimer_, &QTimer::timeout, [this] { FailJoin(JoinFailure::NoAnswer); });
}

Matchmaker::~Matchmaker() = default;

bool Matchmaker::SignIn(const LobbyServer& server, const QString& nickname, TrafficTap tap) {
    nickname_.clear();
    FailJoin(JoinFailure::NotSignedIn);
    AbandonRedial();
    return client_.SignIn(server, nickname, std::move(tap));
}

void Matchmaker::SignOut() {
    nickname_.clear();
    client_.SignOut();
    FailJoin(JoinFailure::NotSignedIn);
    AbandonRedial();
}

void Matchmaker::SetFriendsOnly(bool friendsOnly) {
    friendsOnly_ = friendsOnly;
    Refresh();
}

// A timer rather than the session's own reports: the seats, the watchers and
// the stage change in many places of the online game, and comparing what it
// shows now with what was published catches them all, late by a refresh at
// most, without the session knowing that a lobby exists.
void Matchmaker::Refresh() {
    const OnlineGame& game = core_.Online();
    const bool hosting = game.IsHost();
    if (hosting && !wasHosting_) openedAt_ = QDateTime::currentSecsSinceEpoch();
    wasHosting_ = hosting;

    std::optional<GameListing> wanted;
    if (hosting && !friendsOnly_) wanted = ListingOfHostedGame(game, openedAt_);
    if (wanted == published_) return;
    published_ = wanted;
    // A listing others could not read is not sent (the client logs it), and
    // the one before it goes too, so nobody is shown a game that changed.
    if (!wanted || !client_.PublishGame(*wanted)) client_.WithdrawGame();
}

bool Matchmaker::Busy() const {
    return core_.Online().State() != Session::Offline || Joining();
}

void Matchmaker::Join(const QString& host, const QString& password) {
    JoinFailure refusal;
    const auto listed = client_.Games().find(host);
    if (client_.Status() != LobbyStatus::In) {
        refusal = JoinFailure::NotSignedIn;
    } else if (Busy()) {
        refusal = JoinFailure::Busy;
    } else if (listed == client_.Games().end()) {
        refusal = JoinFailure::NotListed;
    } else if (listed->second.version != OwnVersion()) {
        refusal = JoinFailure::OtherVersion;
    } else if (!client_.AskToJoin(host)) {
        refusal = JoinFailure::NotListed;
    } else {
        qInfo("lobby: asked %s where to join", qPrintable(host));
        pending_ = PendingJoin{host, password};
        answerTimer_.start(answerTimeLimitMs_);
        return;
    }
    qInfo("lobby: no join to %s: %s", qPrintable(host), Why(refusal));
    observer_.JoinFailed(host, refusal);
}

bool Matchmaker::QuickMatch(const QString& portText) {
    if (client_.Status() != LobbyStatus::In || Busy()) return false;
    if (const auto host = QuickMatchHost(client_.Games(), OwnVersion(), nickname_)) {
        Join(*host, QString());
        return true;
    }
    if (!core_.Online().Host(portText, QString())) return false;
    // A game hosted to be found is listed, whatever the last one was.
    friendsOnly_ = false;
    Refresh();
    return true;
}

void Matchmaker::LobbyReport(const LobbyEvent& event) {
    if (const auto* in = std::get_if<SignedIn>(&event)) {
        nickname_ = in->nickname;
    } else if (const auto* asked = std::get_if<JoinAsked>(&event)) {
        AnswerJoin(asked->occupant);
    } else if (const auto* answered = std::get_if<JoinAnswered>(&event)) {
        TakeAnswer(*answered);
    } else if (const auto* gone = std::get_if<GameGone>(&event)) {
        if (pending_ && pending_->host == gone->occupant) FailJoin(JoinFailure::NotListed);
    } else if (const auto* ready = std::get_if<RelayReady>(&event)) {
        TakeRelayedLine(*ready);
    } else if (const auto* failed = std::get_if<RelayFailed>(&event)) {
        RelayDidNotCome(*failed);
    } else if (std::holds_alternative<Failure>(event) ||
               std::holds_alternative<NicknameTaken>(event)) {
        nickname_.clear();
        FailJoin(JoinFailure::NotSignedIn);
        AbandonRedial();
    }
    observer_.LobbyReport(event);
}

// Only a game that is listed answers: a "friends only" game, or one that
// has closed, tells a stranger nothing of where this machine is.
void Matchmaker::AnswerJoin(const QString& player) {
    const OnlineGame& game = core_.Online();
    if (!game.IsHost() || !published_) {
        qInfo("lobby: %s asked to join, but no listed game is hosted here", qPrintable(player));
        return;
    }
    const JoinAnswer answer =
        WhereToJoin(core_.Online().Forwarding().Forwarded(), ownAddress_(), game.ListeningPort());
    qInfo("lobby: told %s to join at port %u", qPrintable(player), answer.port);
    client_.AnswerJoin(player, answer);
}

void Matchmaker::TakeAnswer(const JoinAnswered& answered) {
    if (!pending_ || pending_->host != answered.occupant) {
        qInfo("lobby: an answer from %s, who was not asked; ignored", qPrintable(answered.occupant));
        return;
    }
    const PendingJoin join = *pending_;
    pending_.reset();
    answerTimer_.stop();
    const JoinAnswer& at = answered.answer;
    // The port stays in the join's fallback: it is what the host's router
    // would have to forward, should the relay not come either.
    const ConnectFallback throughRelay{kDirectTryMs,
                                       [this, join, port = at.port] { JoinThroughRelay(join, port); }};
    if (!core_.Online().Join(at.host, QString::number(at.port), join.password, throughRelay)) {
        qWarning("lobby: the answer of %s could not be joined", qPrintable(join.host));
        observer_.JoinFailed(join.host, JoinFailure::NoAnswer);
    }
}

void Matchmaker::JoinThroughRelay(const PendingJoin& join, quint16 answeredPort) {
    qInfo("lobby: %s did not answer at its address; asking for a relayed line", qPrintable(join.host));
    if (!client_.OfferRelay(join.host)) {
        qInfo("lobby: the join to %s failed: %s", qPrintable(join.host), Why(JoinFailure::NotSignedIn));
        observer_.JoinFailed(join.host, JoinFailure::NotSignedIn);
        return;
    }
    relaying_ = RelayedJoin{join, answeredPort};
}

// The joiner's line is the one it asked for; any other comes to the game
// hosted here, which takes it as it takes a player who connected.
void Matchmaker::TakeRelayedLine(const RelayReady& ready) {
    OnlineGame& game = core_.Online();
    const int language = game.Language();
    if (redialing_ == ready.occupant) {
        redialing_.reset();
        game.ReconnectOverRelay(ready.socket->Take());
        return;
    }
    if (relaying_ && relaying_->join.host == ready.occupant) {
        const PendingJoin join = relaying_->join;
        relaying_.reset();
        game.JoinOverRelay(ready.socket->Take(), join.password, [this, host = join.host] { Redial(host); });
        if (game.State() == Session::Joined)
            core_.ChatWindow().ShowSystemLine(Tr(UiText::JoinedOverRelay, language).arg(join.host));
        return;
    }
    if (!game.IsHost() || !published_) {
        qInfo("lobby: a relayed line from %s, but no listed game is hosted here; closed",
              qPrintable(ready.occupant));
        return;
    }
    if (!game.AdoptRelayedLine(ready.socket->Take())) return;
    core_.ChatWindow().ShowSystemLine(Tr(UiText::PlayerCameOverRelay, language)
                                          .arg(ready.occupant, QString::number(game.RelayedLineCount())));
}

void Matchmaker::Redial(const QString& host) {
    if (!client_.OfferRelay(host)) {
        qInfo("lobby: no way back to %s: not in the lobby", qPrintable(host));
        core_.Online().RelayRedialFailed();
        return;
    }
    redialing_ = host;
}

void Matchmaker::AbandonRedial() {
    if (!redialing_) return;
    qInfo("lobby: the relayed line back to %s was lost with the lobby", qPrintable(*redialing_));
    redialing_.reset();
    core_.Online().RelayRedialFailed();
}

void Matchmaker::RelayDidNotCome(const RelayFailed& failed) {
    if (redialing_ == failed.occupant) {
        redialing_.reset();
        core_.Online().RelayRedialFailed();
        return;
    }
    if (!relaying_ || relaying_->join.host != failed.occupant) return;
    const RelayedJoin join = *relaying_;
    relaying_.reset();
    const JoinFailure why = failed.serverHasNoRelay ? JoinFailure::NoRelay : JoinFailure::RelayFailed;
    qInfo("lobby: the join to %s failed: %s (%s)", qPrintable(join.join.host), Why(why),
          qPrintable(failed.detail));
    const int language = core_.Online().Language();
    core_.View().ShowMessage(failed.serverHasNoRelay
                                 ? Tr(UiText::NoRelayToJoin, language)
                                       .arg(join.join.host, QString::number(join.answeredPort))
                                 : Tr(UiText::ConnectionFailed, language));
    observer_.JoinFailed(join.join.host, why);
}

void Matchmaker::FailJoin(JoinFailure why) {
    if (!Joining()) return;
    const QString host = pending_ ? pending_->host : relaying_->join.host;
    pending_.reset();
    relaying_.reset();
    answerTimer_.stop();
    qInfo("lobby: the join to %s failed: %s", qPrintable(host), Why(why));
    observer_.JoinFailed(host, why);
}

}  // namespace lobby
