#include "frontend/lobby/lobby_client.h"

#include "frontend/lobby/element_attributes.h"
#include "frontend/lobby/room_stanzas.h"

namespace lobby {

LobbyClient::LobbyClient(LobbyListener& listener) : listener_(listener) {
    clock_.start();
}

LobbyClient::~LobbyClient() = default;

bool LobbyClient::SignIn(const LobbyServer& server, const QString& nickname, TrafficTap tap) {
    SignOut();
    if (!ReadPlainText(nickname.toStdString(), kMaxNicknameChars)) {
        qWarning("lobby: the nickname \"%s\" cannot be used in the lobby", qPrintable(nickname));
        return false;
    }
    const uint64_t generation = ++generation_;
    auto sink = [this, generation](LobbyEvent event) {
        QMetaObject::invokeMethod(
            &receiver_,
            [this, generation, event = std::move(event)]() mutable {
                if (generation == generation_) Deliver(std::move(event));
            },
            Qt::QueuedConnection);
    };
    status_ = LobbyStatus::SigningIn;
    session_ = std::make_unique<XmppSession>(server, nickname, std::move(sink), std::move(tap));
    if (published_) session_->Publish(published_);
    return true;
}

void LobbyClient::SignOut() {
    ++generation_;
    session_.reset();
    status_ = LobbyStatus::Out;
    games_.clear();
}

bool LobbyClient::PublishGame(const GameListing& game) {
    if (!IsPublishable(game)) {
        qWarning("lobby: the game of \"%s\" has a field others could not read; not listed",
                 qPrintable(game.hostName));
        return false;
    }
    published_ = game;
    if (session_) session_->Publish(published_);
    return true;
}

void LobbyClient::WithdrawGame() {
    published_.reset();
    if (session_) session_->Publish(std::nullopt);
}

ChatRefusal LobbyClient::SendChat(const QString& line) {
    ChatRefusal refusal = status_ == LobbyStatus::In ? CheckChatLine(line) : ChatRefusal::NotSignedIn;
    if (refusal == ChatRefusal::None && !chatRate_.Allow(clock_.elapsed())) refusal = ChatRefusal::TooFast;
    if (refusal != ChatRefusal::None) {
        qWarning("lobby: chat line not sent: %s", qPrintable(DescribeChatRefusal(refusal)));
        return refusal;
    }
    session_->SendChat(line);
    return ChatRefusal::None;
}

bool LobbyClient::AskToJoin(const QString& host) {
    if (status_ != LobbyStatus::In || !games_.count(host)) return false;
    session_->AskToJoin(host);
    return true;
}

void LobbyClient::AnswerJoin(const QString& player, const JoinAnswer& answer) {
    if (session_) session_->AnswerJoin(player, answer);
}

bool LobbyClient::OfferRelay(const QString& occupant) {
    if (status_ != LobbyStatus::In) return false;
    session_->OfferRelay(occupant);
    return true;
}

void LobbyClient::Deliver(LobbyEvent event) {
    if (std::holds_alternative<SignedIn>(event)) {
        status_ = LobbyStatus::In;
    } else if (std::holds_alternative<Failure>(event) || std::holds_alternative<NicknameTaken>(event)) {
        if (const auto* failure = std::get_if<Failure>(&event))
            qWarning("lobby: %s", qPrintable(failure->detail));
        SignOut();
    } else if (const auto* seen = std::get_if<GameSeen>(&event)) {
        auto [it, added] = games_.try_emplace(seen->occupant, seen->listing);
        if (!added) {
            if (it->second == seen->listing) return;
            it->second = seen->listing;
        }
    } else if (const auto* gone = std::get_if<GameGone>(&event)) {
        if (games_.erase(gone->occupant) == 0) return;
    }
    listener_.LobbyReport(event);
}

}  // namespace lobby
