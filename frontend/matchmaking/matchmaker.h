// The lobby as a program that hosts and joins games uses it: the window and
// the computer player each hold one Matchmaker beside their FrontendCore.
// It signs in, keeps this machine's hosted game listed while it is open
// (publishing its seats and state as they change, withdrawing it when it
// closes, never while "friends only"), answers a player who asks to join
// with the address to connect to, and joins a listed game: ask the host,
// try the address it answered directly for a short while, and when nothing
// answers there, join over a line through the lobby's relay instead. The
// host takes such a line as a player who connected.
//
// The game's state is read, not heard: a timer compares the listing the
// online game would show now with the one published, so nothing in the
// session has to know about the lobby, and a lobby that is gone never
// touches a match in progress.
//
//   Matchmaker lobby(core, observer);
//   lobby.SignIn(LobbyServerAt("lobby.example.org"), "Ana");
//   ... core.Online().Host(...)            the listing appears by itself
//   lobby.Join("Bob", password)            -> observer hears JoinFailed or the game starts
//   lobby.QuickMatch(portText)             joins the oldest open game or hosts one
#pragma once

#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "frontend/lobby/lobby_client.h"
#include "frontend/session/frontend_core.h"

namespace lobby {

// Why a join from the lobby did not start.
enum class JoinFailure {
    NotListed,        // that host lists no game (any more)
    OtherVersion,     // the host runs another version of the program
    NoAnswer,         // the host did not answer with an address in time
    NotSignedIn,
    Busy,             // this machine is in a game, a practice or a join already
    NoRelay,          // the host could not be reached directly, and the lobby has no relay
    RelayFailed,      // the host could not be reached directly, nor through the relay
};

// What the window or the bot shows; every lobby report passes through
// unchanged, in order, after the matchmaker has acted on it.
class MatchmakerObserver {
public:
    virtual ~MatchmakerObserver() = default;
    virtual void LobbyReport(const LobbyEvent& event) = 0;
    virtual void JoinFailed(const QString& host, JoinFailure why) = 0;
};

class Matchmaker : public LobbyListener {
public:
    // How often the hosted game is compared with its listing: a change, or
    // the game's end, reaches the lobby within this and the server's relay.
    static constexpr int kRefreshMs = 250;
    // How long a host has to answer where to connect.
    static constexpr int kAnswerTimeLimitMs = 5000;
    // How long the host's answered address is tried before the relay is:
    // a host behind a router that forwards nothing never answers at all.
    // The system sends its connection request again 1 s after the first and
    // next after 3 s, so 2.5 s gives a lost request its one retry and leaves
    // the relay's set-up time within 4 s of "Join".
    static constexpr int kDirectTryMs = 2500;

    Matchmaker(FrontendCore& core, MatchmakerObserver& observer);
    ~Matchmaker() override;
    Matchmaker(const Matchmaker&) = delete;
    Matchmaker& operator=(const Matchmaker&) = delete;

    // tap, when given, hears every byte of the lobby's stream (tests).
    bool SignIn(const LobbyServer& server, const QString& nickname, TrafficTap tap = {});
    void SignOut();
    LobbyClient& Client() { return client_; }

    // A hosted game that is "friends only" is not listed (and withdrawn
    // when it was).
    void SetFriendsOnly(bool friendsOnly);
    bool FriendsOnly() const { return friendsOnly_; }

    // Where players who ask are told to connect when the router forwards
    // no port: this machine's own address (OwnIpv4Address) unless a
    // program knows better (a server's public address, a test's loopback).
    void SetOwnAddress(std::function<QString()> ownAddress) { ownAddress_ = std::move(ownAddress); }
    void SetAnswerTimeLimitMs(int ms) { answerTimeLimitMs_ = ms; }

    // Asks host where to connect and joins there with password, directly
    // or through the lobby's relay. A join that cannot even be asked for is
    // refused at once, through JoinFailed.
    void Join(const QString& host, const QString& password);
    // Whether a join asked for is still waiting for the host's answer or
    // for a relayed line.
    bool Joining() const { return pending_.has_value() || relaying_.has_value(); }

    // "Jogar online agora": joins the oldest waiting game of this version
    // without a password; with none, hosts one on portText (which is then
    // listed) and waits. False, with nothing started, when not signed in or
    // busy, or the game could not be hosted.
    bool QuickMatch(const QString& portText);

    // LobbyListener.
    void LobbyReport(const LobbyEvent& event) override;

private:
    struct PendingJoin {
        QString host;
        QString password;
    };
    struct RelayedJoin {
        PendingJoin join;
        quint16 answeredPort;  // the port the host's router would have to forward
    };

    // Publishes, changes or withdraws the listing to match the hosted game.
    void Refresh();
    // In a game, a practice, or a join already.
    bool Busy() const;
    void AnswerJoin(const QString& player);
    void TakeAnswer(const JoinAnswered& answered);
    void FailJoin(JoinFailure why);
    // The direct try failed: asks the host for a line through the relay.
    void JoinThroughRelay(const PendingJoin& join, quint16 answeredPort);
    void TakeRelayedLine(const RelayReady& ready);
    // The relayed line to host broke in a match: a new one is asked for.
    void Redial(const QString& host);
    void RelayDidNotCome(const RelayFailed& failed);
    // The lobby went away (or was left) while a new relayed line was asked
    // for: no answer can come over it any more, so the way back is told
    // this attempt failed and tries again later, once signed in again.
    void AbandonRedial();

    FrontendCore& core_;
    MatchmakerObserver& observer_;
    LobbyClient client_{*this};
    QString nickname_;  // in the room, once signed in
    bool friendsOnly_ = false;
    std::function<QString()> ownAddress_;
    int answerTimeLimitMs_ = kAnswerTimeLimitMs;

    QTimer refresh_;
    bool wasHosting_ = false;
    int64_t openedAt_ = 0;
    std::optional<GameListing> published_;

    std::optional<PendingJoin> pending_;
    QTimer answerTimer_;
    std::optional<RelayedJoin> relaying_;
    std::optional<QString> redialing_;  // the host a new relayed line is asked of
};

// The listing this machine's session shows now; nullopt when it hosts
// nothing. openedAt is when hosting began. The table has two seats: the
// first two players at the game sit at it, the others watch.
std::optional<GameListing> ListingOfHostedGame(const OnlineGame& game, int64_t openedAt);

// Where a player who asks is told to connect: the router's address and port
// while it forwards the game's port, else this machine's own address and the
// port the game listens on.
JoinAnswer WhereToJoin(const std::optional<ForwardedPort>& forwarded, const QString& ownAddress,
                       quint16 listeningPort);

// The host quick match joins: the oldest waiting game of version without a
// password that has a free seat, not our own; nullopt when there is none.
std::optional<QString> QuickMatchHost(const std::map<QString, GameListing>& games,
                                      const QString& version, const QString& ownNickname);

}  // namespace lobby
