#include "tests/frontend/lobby/raw_occupant.h"

#include <strophe.h>

#include <cstring>

struct RawOccupants::Connection {
    std::string self;  // room/nickname
    std::atomic<int>* joined;
    bool in = false;
    bool lost = false;  // the line failed before the room let it in
    xmpp_conn_t* conn = nullptr;
};

namespace {

using Connection = RawOccupants::Connection;

int OnPresence(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata) {
    auto* c = static_cast<Connection*>(userdata);
    const char* from = xmpp_stanza_get_from(stanza);
    if (!c->in && from && c->self == from && !xmpp_stanza_get_type(stanza)) {
        c->in = true;
        ++*c->joined;
    }
    return 1;
}

void OnConnection(xmpp_conn_t* conn, xmpp_conn_event_t status, int, xmpp_stream_error_t*, void* userdata) {
    auto* c = static_cast<Connection*>(userdata);
    if (status != XMPP_CONN_CONNECT) {
        c->lost = !c->in;
        return;
    }
    xmpp_handler_add(conn, OnPresence, nullptr, "presence", nullptr, c);
    xmpp_send_raw_string(conn, "<presence to='%s'><x xmlns='http://jabber.org/protocol/muc'><history maxstanzas='0'/></x></presence>",
                         c->self.c_str());
}

void Connect(xmpp_ctx_t* ctx, const lobby::LobbyServer& server, Connection& c) {
    c.lost = false;
    c.conn = xmpp_conn_new(ctx);
    xmpp_conn_set_jid(c.conn, server.domain.toUtf8().constData());
    xmpp_conn_set_cafile(c.conn, server.caFile.toLocal8Bit().constData());
    if (xmpp_connect_client(c.conn, server.connectHost.toUtf8().constData(), server.port, OnConnection, &c) !=
        XMPP_EOK)
        c.lost = true;
}

}  // namespace

RawOccupants::RawOccupants(const lobby::LobbyServer& server, std::vector<std::string> nicknames)
    : room_(server.room.toStdString()), thread_(&RawOccupants::Run, this, server, std::move(nicknames)) {}

RawOccupants::~RawOccupants() {
    stop_ = true;
    thread_.join();
}

void RawOccupants::Send(size_t who, const std::string& text) {
    std::string filled = text;
    for (size_t at; (at = filled.find("%ROOM%")) != std::string::npos;) filled.replace(at, 6, room_);
    std::lock_guard lock(mutex_);
    outbox_.emplace_back(who, filled);
}

void RawOccupants::Run(lobby::LobbyServer server, std::vector<std::string> nicknames) {
    xmpp_initialize();
    xmpp_ctx_t* ctx = xmpp_ctx_new(nullptr, nullptr);
    std::vector<std::unique_ptr<Connection>> connections;
    for (const std::string& nickname : nicknames) {
        auto c = std::make_unique<Connection>();
        c->self = room_ + "/" + nickname;
        c->joined = &joined_;
        Connect(ctx, server, *c);
        connections.push_back(std::move(c));
    }
    while (!stop_) {
        std::vector<std::pair<size_t, std::string>> outbox;
        {
            std::lock_guard lock(mutex_);
            outbox.swap(outbox_);
        }
        for (const auto& [who, text] : outbox) xmpp_send_raw(connections[who]->conn, text.data(), text.size());
        if (!outbox.empty()) handedOver_ = std::chrono::steady_clock::now().time_since_epoch().count();
        xmpp_run_once(ctx, kTurnMs);
        // Many sign-ins at once on a loaded machine: one that fails on the
        // way in tries again, so that a full room fills.
        for (auto& c : connections) {
            if (!c->lost) continue;
            xmpp_conn_release(c->conn);
            Connect(ctx, server, *c);
        }
    }
    for (auto& c : connections) xmpp_disconnect(c->conn);
    for (int i = 0; i < 50; ++i) xmpp_run_once(ctx, kTurnMs);
    for (auto& c : connections) xmpp_conn_release(c->conn);
    xmpp_ctx_free(ctx);
}
