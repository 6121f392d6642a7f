// Stanzas as the room delivers them, read into the lobby's events; anything
// not from our room, or breaking a rule, gives nothing (or, for a game,
// takes it off the list).
#include <gtest/gtest.h>

#include "frontend/lobby/lobby_protocol.h"
#include "frontend/lobby/room_stanzas.h"
#include "frontend/lobby/stanza_attributes.h"

using namespace lobby;

namespace {

const RoomView kJoining{QStringLiteral("lobby@rooms.localhost"), QStringLiteral("Bob"), false};
const RoomView kJoined{QStringLiteral("lobby@rooms.localhost"), QStringLiteral("Bob"), true};

class RoomStanzas : public ::testing::Test {
protected:
    RoomStanzas() : ctx_(xmpp_ctx_new(nullptr, nullptr)) {}
    ~RoomStanzas() override { xmpp_ctx_free(ctx_); }

    std::vector<LobbyEvent> Read(const std::string& xml, const RoomView& view = kJoined) {
        xmpp_stanza_t* stanza = xmpp_stanza_new_from_string(ctx_, xml.c_str());
        EXPECT_NE(stanza, nullptr) << xml;
        if (!stanza) return {};
        std::vector<LobbyEvent> events = ReadRoomStanza(stanza, view);
        xmpp_stanza_release(stanza);
        return events;
    }

    xmpp_ctx_t* ctx_;
};

std::string Game(const std::string& seats) {
    return std::string("<game xmlns='") + kNamespace + "' host='Ana' seats='" + seats +
           "' of='2' watchers='0' password='0' state='waiting' version='v1.1' opened='1765280000'/>";
}

std::string FromAna(const std::string& kind, const std::string& attributes, const std::string& inner) {
    return "<" + kind + " from='lobby@rooms.localhost/Ana' to='x@localhost/r' " + attributes + ">" +
           inner + "</" + kind + ">";
}

template <typename T>
const T* Only(const std::vector<LobbyEvent>& events) {
    return events.size() == 1 ? std::get_if<T>(&events[0]) : nullptr;
}

}  // namespace

TEST_F(RoomStanzas, OurOwnPresenceSignsUsInOnceAndATakenNicknameSaysSo) {
    const std::string self =
        "<presence from='lobby@rooms.localhost/Bob'><x xmlns='http://jabber.org/protocol/muc#user'>"
        "<item role='participant'/><status code='110'/></x></presence>";
    const auto joining = Read(self, kJoining);
    ASSERT_EQ(joining.size(), 2u);
    EXPECT_EQ(std::get<SignedIn>(joining[0]).nickname, QStringLiteral("Bob"));
    EXPECT_EQ(std::get<GameGone>(joining[1]).occupant, QStringLiteral("Bob"));
    EXPECT_TRUE(Only<GameGone>(Read(self, kJoined)));

    const auto taken = Read(
        "<presence type='error' from='lobby@rooms.localhost/Bob'><error type='cancel'>"
        "<conflict xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></presence>",
        kJoining);
    ASSERT_TRUE(Only<NicknameTaken>(taken));
    EXPECT_EQ(Only<NicknameTaken>(taken)->nickname, QStringLiteral("Bob"));

    const auto refused = Read(
        "<presence type='error' from='lobby@rooms.localhost/Bob'><error type='cancel'>"
        "<not-allowed xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></presence>",
        kJoining);
    ASSERT_TRUE(Only<Failure>(refused));
    EXPECT_EQ(Only<Failure>(refused)->kind, FailureKind::RoomRefused);
    EXPECT_TRUE(Only<Failure>(refused)->detail.contains(QStringLiteral("not-allowed")));
}

TEST_F(RoomStanzas, AnOccupantsGameIsListedAndAnUnreadableOneIsTakenOff) {
    const auto seen = Read(FromAna("presence", "", Game("1")));
    ASSERT_TRUE(Only<GameSeen>(seen));
    EXPECT_EQ(Only<GameSeen>(seen)->occupant, QStringLiteral("Ana"));
    EXPECT_EQ(Only<GameSeen>(seen)->listing.seatsTaken, 1);

    EXPECT_TRUE(Only<GameGone>(Read(FromAna("presence", "", Game("3")))));
    EXPECT_TRUE(Only<GameGone>(Read(FromAna("presence", "", ""))));
    EXPECT_TRUE(Only<GameGone>(Read(FromAna("presence", "type='unavailable'", Game("1")))));
    // Our own leaving, once in, is the end of the lobby for us.
    const auto removed = Read("<presence type='unavailable' from='lobby@rooms.localhost/Bob'/>");
    ASSERT_TRUE(Only<Failure>(removed));
    EXPECT_EQ(Only<Failure>(removed)->kind, FailureKind::ConnectionLost);
}

TEST_F(RoomStanzas, StanzasFromOutsideOurRoomMeanNothing) {
    const std::string game = Game("1");
    EXPECT_TRUE(Read("<presence from='other@rooms.localhost/Ana'>" + game + "</presence>").empty());
    EXPECT_TRUE(Read("<presence from='lobby@rooms.localhost'>" + game + "</presence>").empty());
    EXPECT_TRUE(Read("<presence>" + game + "</presence>").empty());
    EXPECT_TRUE(Read("<message type='chat' from='mallory@localhost/x'><join xmlns='" +
                     std::string(kNamespace) + "'/></message>")
                    .empty());
    // A nickname no list could show.
    EXPECT_TRUE(Read("<presence from='lobby@rooms.localhost/" + std::string(kMaxNicknameChars + 1, 'a') +
                     "'>" + game + "</presence>")
                    .empty());
}

TEST_F(RoomStanzas, RoomChatIsHeardWithinTheChatsRules) {
    const auto heard = Read(FromAna("message", "type='groupchat'", "<body>boa noite</body>"));
    ASSERT_TRUE(Only<ChatHeard>(heard));
    EXPECT_EQ(Only<ChatHeard>(heard)->text, QStringLiteral("boa noite"));
    EXPECT_TRUE(Read(FromAna("message", "type='groupchat'", "<body>" + std::string(101, 'a') + "</body>"))
                    .empty());
    EXPECT_TRUE(Read(FromAna("message", "type='groupchat'", "<subject>hi</subject>")).empty());
}

TEST_F(RoomStanzas, JoinRequestsAndAnswersComeOnlyAsPrivateMessages) {
    const std::string ns = kNamespace;
    EXPECT_TRUE(Only<JoinAsked>(Read(FromAna("message", "type='chat'", "<join xmlns='" + ns + "'/>"))));
    const auto answered = Read(FromAna(
        "message", "type='chat'", "<address xmlns='" + ns + "' host='198.51.100.7' port='2500'/>"));
    ASSERT_TRUE(Only<JoinAnswered>(answered));
    EXPECT_EQ(Only<JoinAnswered>(answered)->answer, (JoinAnswer{QStringLiteral("198.51.100.7"), 2500}));

    EXPECT_TRUE(Read(FromAna("message", "type='chat'", "<address xmlns='" + ns +
                                                           "' host='198.51.100.7' port='0'/>"))
                    .empty());
    EXPECT_TRUE(Read(FromAna("message", "type='groupchat'",
                             "<address xmlns='" + ns + "' host='198.51.100.7' port='2500'/>"))
                    .empty());
    EXPECT_TRUE(Read(FromAna("message", "type='chat'",
                             "<address xmlns='urn:other' host='198.51.100.7' port='2500'/>"))
                    .empty());
}

TEST_F(RoomStanzas, AnElementOfOursAdoptedByAStanzaReadsBackWithItsAttributesAndNoOther) {
    xmpp_stanza_t* presence = xmpp_presence_new(ctx_);
    AdoptChild(presence, NewLobbyElement(ctx_, "game", {{"host", "Ana"}, {"seats", "1"}}));
    // Another namespace's element of the same name is not ours.
    xmpp_stanza_t* foreign = xmpp_stanza_new(ctx_);
    xmpp_stanza_set_name(foreign, "relay");
    xmpp_stanza_set_ns(foreign, "urn:other");
    AdoptChild(presence, foreign);

    const std::optional<ElementAttributes> game = ReadLobbyChild(presence, "game");
    ASSERT_TRUE(game.has_value());
    EXPECT_EQ(*game, (ElementAttributes{{"host", "Ana"}, {"seats", "1"}}));
    EXPECT_FALSE(ReadLobbyChild(presence, "relay").has_value());
    // The stanza now holds the only reference: releasing it frees both
    // children (the sanitized build reports a leak or a double free here).
    xmpp_stanza_release(presence);
}
