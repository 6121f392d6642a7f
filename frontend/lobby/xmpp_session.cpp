#include "frontend/lobby/xmpp_session.h"

#include <strophe.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "frontend/lobby/lobby_protocol.h"
#include "frontend/lobby/relay_broker.h"
#include "frontend/lobby/room_stanzas.h"
#include "frontend/lobby/stanza_attributes.h"

namespace lobby {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kMuc[] = "http://jabber.org/protocol/muc";
constexpr char kPing[] = "urn:xmpp:ping";
// The room's recent lines, so a player who arrives sees what was being said.
constexpr char kHistoryLines[] = "20";
// How long one turn of the loop waits for the network: the longest a queued
// command (a game's changed listing) waits to be sent, since libstrophe's
// wait cannot be woken by the owner. Short against the lobby's 50 ms from a
// change to the others' lists; 200 idle turns a second cost next to nothing.
constexpr unsigned long kTurnMs = 5;
// Leaving: time for the goodbye to go out before the line is dropped anyway.
constexpr auto kLeaveWait = std::chrono::milliseconds(1000);
// How long the owner waits for a session still in the lobby to say goodbye
// when destroying it; a server too slow for that is left to the thread.
constexpr auto kJoinWait = std::chrono::milliseconds(300);
// Players whose join requests wait for this host's answer, at most.
constexpr size_t kMaxAskingPlayers = 256;
// How long a program that ends waits for the sessions still saying goodbye.
constexpr auto kExitWait = kLeaveWait + std::chrono::milliseconds(500);

class Worker;

}  // namespace

struct XmppSession::Shared {
    LobbyServer server;
    QString nickname;

    std::mutex mutex;  // guards what follows
    TrafficTap tap;    // cleared by the owner as it goes
    std::vector<std::function<void(Worker&)>> commands;
    EventSink sink;  // cleared by the owner as it goes
    bool stop = false;
    bool ended = false;  // the session ended by itself: nothing to wait for
    bool done = false;
    std::condition_variable finished;
};

namespace {

// The threads of sessions whose owner went before they were done. A
// program that ended then would cut the goodbye short, and the thread would
// go on using the TLS library while the exit tears that library down, its
// own per-thread TLS state never freed. So the exit waits for them and
// joins them, a moment at most: this is destroyed among the program's
// statics, before the TLS library's own clean-up, which was registered
// earlier (see XmppSession's constructor).
class LingeringThreads {
public:
    LingeringThreads() = default;
    LingeringThreads(const LingeringThreads&) = delete;
    LingeringThreads& operator=(const LingeringThreads&) = delete;
    ~LingeringThreads() {
        std::lock_guard lock(mutex_);
        const auto deadline = Clock::now() + kExitWait;
        for (Lingering& lingering : threads_) {
            if (WaitUntilDone(*lingering.shared, deadline)) {
                lingering.thread.join();
            } else {
                lingering.thread.detach();
            }
        }
    }

    void Add(std::shared_ptr<XmppSession::Shared> shared, std::thread thread) {
        std::lock_guard lock(mutex_);
        // Those done since are joined now, so a long run does not gather them.
        std::erase_if(threads_, [](Lingering& lingering) {
            if (!WaitUntilDone(*lingering.shared, Clock::now())) return false;
            lingering.thread.join();
            return true;
        });
        threads_.push_back({std::move(shared), std::move(thread)});
    }

private:
    struct Lingering {
        std::shared_ptr<XmppSession::Shared> shared;
        std::thread thread;
    };

    static bool WaitUntilDone(XmppSession::Shared& shared, Clock::time_point deadline) {
        std::unique_lock lock(shared.mutex);
        return shared.finished.wait_until(lock, deadline, [&] { return shared.done; });
    }

    std::mutex mutex_;
    std::vector<Lingering> threads_;
};

LingeringThreads& Lingering() {
    static LingeringThreads threads;
    return threads;
}

class Worker {
public:
    explicit Worker(std::shared_ptr<XmppSession::Shared> shared)
        : shared_(std::move(shared)), log_{&Worker::OnLog, this} {
        view_.room = shared_->server.room;
        view_.nickname = shared_->nickname;
    }

    void Run() {
        ctx_ = xmpp_ctx_new(nullptr, &log_);
        conn_ = xmpp_conn_new(ctx_);
        const LobbyServer& server = shared_->server;
        xmpp_conn_set_flags(conn_, ConnectionFlags(server));
        relay_ = std::make_unique<RelayBroker>(ctx_, conn_, view_, server.domain, server.relayTimeoutMs,
                                               [this](LobbyEvent event) { Emit(std::move(event)); });
        relay_->AcceptOffers(game_.has_value());
        // A domain alone, without a password: SASL ANONYMOUS.
        xmpp_conn_set_jid(conn_, server.domain.toUtf8().constData());
        if (!server.caFile.isEmpty()) xmpp_conn_set_cafile(conn_, server.caFile.toLocal8Bit().constData());
        const QByteArray host = server.connectHost.toUtf8();
        const auto deadline = Clock::now() + std::chrono::milliseconds(server.signInTimeoutMs);
        if (xmpp_connect_client(conn_, host.isEmpty() ? nullptr : host.constData(), server.port,
                                &Worker::OnConnection, this) != XMPP_EOK) {
            End(Failure{FailureKind::Unreachable, Problem(QStringLiteral("cannot connect"))});
            disconnected_ = true;
        }
        while (!finished_) {
            if (!RunCommands()) break;
            xmpp_run_once(ctx_, kTurnMs);
            if (!view_.joined && !finished_ && Clock::now() > deadline)
                End(Failure{FailureKind::NoAnswer,
                            QStringLiteral("the server did not let us into the lobby within %1 s")
                                .arg(server.signInTimeoutMs / 1000.0)});
            if (view_.joined && !finished_) {
                KeepAlive();
                relay_->Poll();
            }
        }
        Leave();
        relay_.reset();
        xmpp_conn_release(conn_);
        xmpp_ctx_free(ctx_);
        std::lock_guard lock(shared_->mutex);
        shared_->done = true;
        shared_->finished.notify_all();
    }

    void Publish(const std::optional<GameListing>& game) {
        game_ = game;
        relay_->AcceptOffers(game_.has_value());
        if (view_.joined) SendPresence(false);
    }

    void OfferRelay(const QString& occupant) {
        if (!view_.joined) {
            Emit(RelayFailed{occupant, QStringLiteral("not in the lobby")});
            return;
        }
        relay_->Offer(occupant);
    }

    void SendChat(const QString& text) {
        if (!view_.joined) return;
        xmpp_stanza_t* message = xmpp_message_new(ctx_, "groupchat", view_.room.toUtf8().constData(), nullptr);
        xmpp_message_set_body(message, text.toUtf8().constData());
        xmpp_send(conn_, message);
        xmpp_stanza_release(message);
    }

    void AskToJoin(const QString& host) {
        if (!view_.joined) return;
        askedHosts_.insert(host);
        SendPrivate(host, NewLobbyElement(ctx_, kJoinElement, {}));
    }

    void AnswerJoin(const QString& player, const JoinAnswer& answer) {
        if (askingPlayers_.erase(player) == 0) {
            qWarning("lobby: \"%s\" did not ask to join; the address is not sent", qPrintable(player));
            return;
        }
        SendPrivate(player, NewLobbyElement(ctx_, kAddressElement, EncodeJoinAnswer(answer)));
    }

private:
    // Runs what the owner queued; false when the owner wants the session over.
    bool RunCommands() {
        std::vector<std::function<void(Worker&)>> commands;
        {
            std::lock_guard lock(shared_->mutex);
            if (shared_->stop) return false;
            commands.swap(shared_->commands);
        }
        for (auto& command : commands) command(*this);
        return true;
    }

    void Emit(LobbyEvent event) {
        if (finished_) return;
        std::lock_guard lock(shared_->mutex);
        if (shared_->sink) shared_->sink(std::move(event));
    }

    // Asks a quiet server whether it is there; gives it up when it does not
    // answer. Anything the server sends counts as an answer.
    void KeepAlive() {
        const LobbyServer& server = shared_->server;
        const auto now = Clock::now();
        if (pingSent_ && lastHeard_ < *pingSent_) {
            if (now - *pingSent_ > std::chrono::milliseconds(server.pingAnswerMs))
                End(Failure{FailureKind::ConnectionLost,
                            QStringLiteral("the lobby server stopped answering for %1 s")
                                .arg((server.pingAfterQuietMs + server.pingAnswerMs) / 1000.0)});
            return;
        }
        if (now - lastHeard_ < std::chrono::milliseconds(server.pingAfterQuietMs)) return;
        xmpp_stanza_t* iq = xmpp_iq_new(ctx_, "get", "lobby-ping");
        xmpp_stanza_set_to(iq, server.domain.toUtf8().constData());
        NewChildElement(iq, "ping", kPing);
        xmpp_send(conn_, iq);
        xmpp_stanza_release(iq);
        pingSent_ = now;
    }

    // The last event of the session.
    void End(LobbyEvent event) {
        Emit(std::move(event));
        finished_ = true;
        std::lock_guard lock(shared_->mutex);
        shared_->ended = true;
    }

    void Leave() {
        if (disconnected_) return;
        if (view_.joined && !finished_) {
            xmpp_stanza_t* presence = xmpp_presence_new(ctx_);
            xmpp_stanza_set_type(presence, "unavailable");
            xmpp_stanza_set_to(presence, OccupantAddress(view_.nickname).constData());
            xmpp_send(conn_, presence);
            xmpp_stanza_release(presence);
        }
        finished_ = true;
        xmpp_disconnect(conn_);
        const auto until = Clock::now() + kLeaveWait;
        while (!disconnected_ && Clock::now() < until) xmpp_run_once(ctx_, kTurnMs);
    }

    QByteArray OccupantAddress(const QString& nickname) const {
        return (view_.room + QLatin1Char('/') + nickname).toUtf8();
    }

    void SendPresence(bool joining) {
        xmpp_stanza_t* presence = xmpp_presence_new(ctx_);
        xmpp_stanza_set_to(presence, OccupantAddress(view_.nickname).constData());
        if (joining) {
            xmpp_stanza_t* muc = NewChildElement(presence, "x", kMuc);
            xmpp_stanza_set_attribute(NewChildElement(muc, "history"), "maxstanzas", kHistoryLines);
        }
        if (game_)
            AdoptChild(presence, NewLobbyElement(ctx_, kGameElement, EncodeGameListing(*game_)));
        xmpp_send(conn_, presence);
        xmpp_stanza_release(presence);
    }

    // A message to one occupant alone; takes the child.
    void SendPrivate(const QString& occupant, xmpp_stanza_t* child) {
        xmpp_stanza_t* message = xmpp_message_new(ctx_, "chat", OccupantAddress(occupant).constData(), nullptr);
        AdoptChild(message, child);
        xmpp_send(conn_, message);
        xmpp_stanza_release(message);
    }

    QString Problem(const QString& what) const {
        return lastProblem_.isEmpty() ? what : what + QStringLiteral(": ") + lastProblem_;
    }

    void Handle(LobbyEvent event) {
        if (std::holds_alternative<SignedIn>(event)) {
            view_.joined = true;
            // Known before any line is asked for, so that neither side waits for it then.
            relay_->Discover();
        } else if (std::holds_alternative<NicknameTaken>(event) || std::holds_alternative<Failure>(event)) {
            End(std::move(event));
            return;
        } else if (const auto* answered = std::get_if<JoinAnswered>(&event)) {
            if (askedHosts_.erase(answered->occupant) == 0) {
                qWarning("lobby: an address from \"%s\", whom we did not ask, dropped",
                         qPrintable(answered->occupant));
                return;
            }
        } else if (const auto* asked = std::get_if<JoinAsked>(&event)) {
            if (askingPlayers_.size() >= kMaxAskingPlayers && !askingPlayers_.count(asked->occupant)) {
                qWarning("lobby: too many unanswered join requests; \"%s\" is not heard",
                         qPrintable(asked->occupant));
                return;
            }
            askingPlayers_.insert(asked->occupant);
        }
        Emit(std::move(event));
    }

    void Disconnected(int error, xmpp_stream_error_t* streamError) {
        disconnected_ = true;
        if (finished_) return;
        QString detail;
        if (streamError)
            detail = QStringLiteral("stream error %1%2")
                         .arg(static_cast<int>(streamError->type))
                         .arg(streamError->text ? QStringLiteral(" (%1)").arg(QString::fromUtf8(streamError->text).left(200))
                                                : QString());
        else if (error)
            detail = QString::fromLocal8Bit(std::strerror(error));
        if (view_.joined)
            End(Failure{FailureKind::ConnectionLost, Problem(QStringLiteral("the lobby closed the line ") + detail)});
        else if (!heardServer_)
            End(Failure{FailureKind::Unreachable, Problem(QStringLiteral("no lobby server answered ") + detail)});
        else
            End(Failure{FailureKind::SignInRefused, Problem(QStringLiteral("the server refused the sign-in ") + detail)});
    }

    static void OnLog(void* userdata, xmpp_log_level_t level, const char* area, const char* message) {
        auto* self = static_cast<Worker*>(userdata);
        const bool received = std::strncmp(message, "RECV:", 5) == 0;
        if (received) {
            self->heardServer_ = true;
            self->lastHeard_ = Clock::now();
        }
        if (received || std::strncmp(message, "SENT:", 5) == 0) {
            std::lock_guard lock(self->shared_->mutex);
            if (self->shared_->tap) self->shared_->tap(message);
        }
        if (level >= XMPP_LEVEL_WARN) {
            self->lastProblem_ = QString::fromUtf8(message).left(300);
            qWarning("lobby: %s: %s", area, message);
        }
    }

    static void OnConnection(xmpp_conn_t* conn, xmpp_conn_event_t status, int error,
                             xmpp_stream_error_t* streamError, void* userdata) {
        auto* self = static_cast<Worker*>(userdata);
        if (status == XMPP_CONN_CONNECT) {
            xmpp_handler_add(conn, &Worker::OnStanza, nullptr, nullptr, nullptr, self);
            self->SendPresence(true);
        } else if (status == XMPP_CONN_DISCONNECT || status == XMPP_CONN_FAIL) {
            self->Disconnected(error, streamError);
        }
    }

    static int OnStanza(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata) {
        auto* self = static_cast<Worker*>(userdata);
        if (self->view_.joined && self->relay_->Handle(stanza)) return 1;
        for (LobbyEvent& event : ReadRoomStanza(stanza, self->view_)) self->Handle(std::move(event));
        return 1;
    }

    std::shared_ptr<XmppSession::Shared> shared_;
    xmpp_log_t log_;
    xmpp_ctx_t* ctx_ = nullptr;
    xmpp_conn_t* conn_ = nullptr;
    RoomView view_;
    std::optional<GameListing> game_;
    std::unique_ptr<RelayBroker> relay_;
    std::set<QString> askedHosts_;
    std::set<QString> askingPlayers_;
    bool heardServer_ = false;
    Clock::time_point lastHeard_ = Clock::now();
    std::optional<Clock::time_point> pingSent_;
    bool disconnected_ = false;
    bool finished_ = false;
    QString lastProblem_;
};

}  // namespace

XmppSession::XmppSession(const LobbyServer& server, const QString& nickname, EventSink sink, TrafficTap tap)
    : shared_(std::make_shared<Shared>()) {
    static std::once_flag initialized;
    std::call_once(initialized, [] {
        xmpp_initialize();
        // Made after the TLS library's start, so gone before its clean-up.
        Lingering();
    });
    shared_->server = server;
    shared_->nickname = nickname;
    shared_->tap = std::move(tap);
    shared_->sink = std::move(sink);
    thread_ = std::thread([shared = shared_] {
        Worker worker(shared);
        worker.Run();
    });
}

XmppSession::~XmppSession() {
    bool done;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->sink = nullptr;
        shared_->tap = nullptr;
        shared_->stop = true;
        if (!shared_->ended) shared_->finished.wait_for(lock, kJoinWait, [this] { return shared_->done; });
        done = shared_->done;
    }
    // The thread holds its own share of the state: if it is held up past
    // the wait, it finishes later without anyone to tell.
    if (done) {
        thread_.join();
    } else {
        Lingering().Add(shared_, std::move(thread_));
    }
}

void XmppSession::Publish(const std::optional<GameListing>& game) {
    std::lock_guard lock(shared_->mutex);
    shared_->commands.push_back([game](Worker& w) { w.Publish(game); });
}

void XmppSession::SendChat(const QString& text) {
    std::lock_guard lock(shared_->mutex);
    shared_->commands.push_back([text](Worker& w) { w.SendChat(text); });
}

void XmppSession::AskToJoin(const QString& host) {
    std::lock_guard lock(shared_->mutex);
    shared_->commands.push_back([host](Worker& w) { w.AskToJoin(host); });
}

void XmppSession::AnswerJoin(const QString& player, const JoinAnswer& answer) {
    std::lock_guard lock(shared_->mutex);
    shared_->commands.push_back([player, answer](Worker& w) { w.AnswerJoin(player, answer); });
}

void XmppSession::OfferRelay(const QString& occupant) {
    std::lock_guard lock(shared_->mutex);
    shared_->commands.push_back([occupant](Worker& w) { w.OfferRelay(occupant); });
}

}  // namespace lobby
