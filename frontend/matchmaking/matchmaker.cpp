#include "frontend/matchmaking/matchmaker.h"

#include <QDateTime>

#include "frontend/net/own_address.h"
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
    if (pending_) FailJoin(JoinFailure::NotSignedIn);
    return client_.SignIn(server, nickname, std::move(tap));
}

void Matchmaker::SignOut() {
    nickname_.clear();
    client_.SignOut();
    if (pending_) FailJoin(JoinFailure::NotSignedIn);
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
    return core_.Online().State() != Session::Offline || pending_.has_value();
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
    } else if (std::holds_alternative<Failure>(event) ||
               std::holds_alternative<NicknameTaken>(event)) {
        nickname_.clear();
        if (pending_) FailJoin(JoinFailure::NotSignedIn);
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
    if (!core_.Online().Join(at.host, QString::number(at.port), join.password)) {
        qWarning("lobby: the answer of %s could not be joined", qPrintable(join.host));
        observer_.JoinFailed(join.host, JoinFailure::NoAnswer);
    }
}

void Matchmaker::FailJoin(JoinFailure why) {
    if (!pending_) return;
    const QString host = pending_->host;
    pending_.reset();
    answerTimer_.stop();
    qInfo("lobby: the join to %s failed: %s", qPrintable(host), Why(why));
    observer_.JoinFailed(host, why);
}

}  // namespace lobby
