// Seeds for the lobby target: the stanzas a room delivers, written with the
// lobby's own payload writers: a host's presence with its game waiting and in
// a match, our own presence, a taken nickname, a leaving host, a chat line,
// a join request and its answer.
//
//   lobby_seeds FOLDER
#include <QDir>
#include <QFile>
#include <cstdio>
#include <string>

#include "frontend/lobby/game_listing.h"
#include "frontend/lobby/join_answer.h"
#include "frontend/lobby/lobby_protocol.h"
#include "frontend/lobby/stanza_attributes.h"
#include "fuzz/seeds/seed_folder.h"

namespace {

constexpr char kAna[] = "lobby@rooms.localhost/Ana";

xmpp_stanza_t* Stanza(xmpp_ctx_t* ctx, const char* name, const char* from, const char* type) {
    xmpp_stanza_t* s = xmpp_stanza_new(ctx);
    xmpp_stanza_set_name(s, name);
    xmpp_stanza_set_from(s, from);
    if (type) xmpp_stanza_set_type(s, type);
    return s;
}

bool Write(const QString& folder, const char* name, xmpp_stanza_t* stanza) {
    char* text = nullptr;
    size_t length = 0;
    const bool made = xmpp_stanza_to_text(stanza, &text, &length) == XMPP_EOK;
    xmpp_ctx_t* ctx = xmpp_stanza_get_context(stanza);
    xmpp_stanza_release(stanza);
    QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
    const bool written = made && file.open(QIODevice::WriteOnly) &&
                         file.write(text, static_cast<qint64>(length)) == static_cast<qint64>(length);
    xmpp_free(ctx, text);
    return written;
}

xmpp_stanza_t* HostPresence(xmpp_ctx_t* ctx, lobby::GameStage stage) {
    lobby::GameListing game;
    game.hostName = QStringLiteral("Ana");
    game.seatsTaken = stage == lobby::GameStage::Waiting ? 1 : 2;
    game.watchers = 1;
    game.stage = stage;
    game.version = QStringLiteral("v1.1");
    game.openedAt = 1765280000;
    xmpp_stanza_t* p = Stanza(ctx, "presence", kAna, nullptr);
    lobby::AdoptChild(p, lobby::NewLobbyElement(ctx, lobby::kGameElement, lobby::EncodeGameListing(game)));
    return p;
}

xmpp_stanza_t* WithChild(xmpp_stanza_t* parent, const char* name, const char* ns,
                         const char* attribute = nullptr, const char* value = nullptr) {
    xmpp_stanza_t* child = lobby::NewChildElement(parent, name, ns);
    if (attribute) xmpp_stanza_set_attribute(child, attribute, value);
    return child;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<std::filesystem::path> place = SeedFolder(argc, argv);
    if (!place) return 2;
    const QString folder = QString::fromLocal8Bit(place->c_str());
    xmpp_initialize();
    xmpp_ctx_t* ctx = xmpp_ctx_new(nullptr, nullptr);

    xmpp_stanza_t* self = Stanza(ctx, "presence", "lobby@rooms.localhost/Bob", nullptr);
    xmpp_stanza_t* x = WithChild(self, "x", "http://jabber.org/protocol/muc#user");
    WithChild(x, "status", nullptr, "code", "110");

    xmpp_stanza_t* taken = Stanza(ctx, "presence", "lobby@rooms.localhost/Bob", "error");
    xmpp_stanza_t* error = WithChild(taken, "error", nullptr, "type", "cancel");
    WithChild(error, "conflict", "urn:ietf:params:xml:ns:xmpp-stanzas");

    xmpp_stanza_t* chat = Stanza(ctx, "message", kAna, "groupchat");
    xmpp_stanza_t* body = WithChild(chat, "body", nullptr);
    xmpp_stanza_t* words = xmpp_stanza_new(ctx);
    xmpp_stanza_set_text(words, "algu\xc3\xa9m para uma partida?");
    lobby::AdoptChild(body, words);

    xmpp_stanza_t* join = Stanza(ctx, "message", kAna, "chat");
    WithChild(join, lobby::kJoinElement, lobby::kNamespace);

    xmpp_stanza_t* answer = Stanza(ctx, "message", kAna, "chat");
    lobby::AdoptChild(answer, lobby::NewLobbyElement(ctx, lobby::kAddressElement,
                                         lobby::EncodeJoinAnswer({QStringLiteral("198.51.100.7"), 2500})));

    const bool ok = Write(folder, "waiting.xml", HostPresence(ctx, lobby::GameStage::Waiting)) &&
                    Write(folder, "in_match.xml", HostPresence(ctx, lobby::GameStage::InMatch)) &&
                    Write(folder, "self.xml", self) && Write(folder, "taken.xml", taken) &&
                    Write(folder, "left.xml", Stanza(ctx, "presence", kAna, "unavailable")) &&
                    Write(folder, "chat.xml", chat) && Write(folder, "join.xml", join) &&
                    Write(folder, "answer.xml", answer);
    xmpp_ctx_free(ctx);
    xmpp_shutdown();
    return ok ? 0 : 1;
}
