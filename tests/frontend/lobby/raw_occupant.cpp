#include "tests/frontend/lobby/raw_occupant.h"

#include <strophe.h>

#include <cstring>

namespace {

struct Connection {
    std::string join;
    std::atomic<bool>* joined;
};

int OnPresence(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata) {
    auto* c = static_cast<Connection*>(userdata);
    const char* from = xmpp_stanza_get_from(stanza);
    if (from && c->join.rfind(from, 0) == 0 && std::strlen(from) == c->join.size() && !xmpp_stanza_get_type(stanza))
        *c->joined = true;
    return 1;
}

void OnConnection(xmpp_conn_t* conn, xmpp_conn_event_t status, int, xmpp_stream_error_t*, void* userdata) {
    auto* c = static_cast<Connection*>(userdata);
    if (status != XMPP_CONN_CONNECT) return;
    xmpp_handler_add(conn, OnPresence, nullptr, "presence", nullptr, c);
    xmpp_send_raw_string(conn, "<presence to='%s'><x xmlns='http://jabber.org/protocol/muc'/></presence>",
                         c->join.c_str());
}

}  // namespace

RawOccupant::RawOccupant(const lobby::LobbyServer& server, const std::string& nickname)
    : room_(server.room.toStdString()), thread_(&RawOccupant::Run, this, server, nickname) {}

RawOccupant::~RawOccupant() {
    stop_ = true;
    thread_.join();
}

void RawOccupant::Send(const std::string& text) {
    std::string filled = text;
    for (size_t at; (at = filled.find("%ROOM%")) != std::string::npos;) filled.replace(at, 6, room_);
    std::lock_guard lock(mutex_);
    outbox_.push_back(filled);
}

void RawOccupant::Run(lobby::LobbyServer server, std::string nickname) {
    xmpp_initialize();
    xmpp_ctx_t* ctx = xmpp_ctx_new(nullptr, nullptr);
    xmpp_conn_t* conn = xmpp_conn_new(ctx);
    xmpp_conn_set_jid(conn, server.domain.toUtf8().constData());
    xmpp_conn_set_cafile(conn, server.caFile.toLocal8Bit().constData());
    Connection c{room_ + "/" + nickname, &joined_};
    xmpp_connect_client(conn, server.connectHost.toUtf8().constData(), server.port, OnConnection, &c);
    while (!stop_) {
        std::vector<std::string> outbox;
        {
            std::lock_guard lock(mutex_);
            outbox.swap(outbox_);
        }
        for (const std::string& text : outbox) xmpp_send_raw(conn, text.data(), text.size());
        xmpp_run_once(ctx, 10);
    }
    xmpp_disconnect(conn);
    for (int i = 0; i < 20 && !xmpp_conn_is_disconnected(conn); ++i) xmpp_run_once(ctx, 10);
    xmpp_conn_release(conn);
    xmpp_ctx_free(ctx);
}
