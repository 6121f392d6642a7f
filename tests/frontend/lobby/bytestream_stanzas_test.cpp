// The relay's stanzas: the hash both sides give the proxy, offers and
// answers written by us read back, and what a hostile occupant or server
// could send instead refused.
#include "frontend/lobby/bytestream_stanzas.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace lobby;

namespace {

class BytestreamStanzas : public ::testing::Test {
protected:
    static void SetUpTestSuite() { xmpp_initialize(); }
    void SetUp() override { ctx_ = xmpp_ctx_new(nullptr, nullptr); }
    void TearDown() override {
        for (xmpp_stanza_t* s : made_) xmpp_stanza_release(s);
        xmpp_ctx_free(ctx_);
    }

    xmpp_stanza_t* Parse(const std::string& text) {
        xmpp_stanza_t* s = xmpp_stanza_new_from_string(ctx_, text.c_str());
        if (s) made_.push_back(s);
        return s;
    }
    // A stanza we wrote, as the far side reads it off the wire.
    xmpp_stanza_t* RoundTrip(xmpp_stanza_t* stanza) {
        char* text = nullptr;
        size_t length = 0;
        xmpp_stanza_to_text(stanza, &text, &length);
        xmpp_stanza_release(stanza);
        const std::string copy(text, length);
        xmpp_free(ctx_, text);
        return Parse(copy);
    }

    xmpp_ctx_t* ctx_ = nullptr;
    std::vector<xmpp_stanza_t*> made_;
};

const StreamHost kProxy{QStringLiteral("relay.localhost"), QStringLiteral("127.0.0.1"), 5000};

std::string Offer(const std::string& query) {
    return "<iq type='set' id='o1' from='lobby@rooms.localhost/Ana'>" + query + "</iq>";
}

}  // namespace

TEST(StreamHash, IsTheHexSha1OfTheIdAndBothAddressesInOrder) {
    // Worked out apart from the code (hashlib.sha1 of the joined text).
    EXPECT_EQ(StreamHash(QStringLiteral("vxf9n471bn46"), QStringLiteral("ana@localhost/r1"),
                         QStringLiteral("lobby@rooms.localhost/Bob")),
              "3291193b582d909fec824a7d3bbf3ecc0d84ea2e");
    EXPECT_NE(StreamHash(QStringLiteral("s"), QStringLiteral("a"), QStringLiteral("b")),
              StreamHash(QStringLiteral("s"), QStringLiteral("b"), QStringLiteral("a")));
}

TEST(StreamId, IsFreshEachTimeAndUsableAsOne) {
    const QString a = NewStreamId(), b = NewStreamId();
    EXPECT_NE(a, b);
    EXPECT_EQ(a.size(), 32);
    EXPECT_LE(a.size(), kMaxSidChars);
}

TEST_F(BytestreamStanzas, AnOfferWeWriteIsReadBackWithTheOfferersAddress) {
    xmpp_stanza_t* iq = RoundTrip(NewRelayOffer(ctx_, QStringLiteral("lobby@rooms.localhost/Bob"), "o1",
                                                QStringLiteral("abc123"), QStringLiteral("x@localhost/r"), kProxy));
    const std::optional<RelayOffer> offer = ReadRelayOffer(iq);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->sid, QStringLiteral("abc123"));
    EXPECT_EQ(offer->initiator, QStringLiteral("x@localhost/r"));
    ASSERT_EQ(offer->hostJids.size(), 1u);
    EXPECT_EQ(offer->hostJids[0], kProxy.jid);
}

TEST_F(BytestreamStanzas, OffersThatBreakARuleAreRefused) {
    const std::string relay = "<relay xmlns='urn:x-ringdisk:lobby:1' initiator='x@localhost/r'/>";
    const std::string host = "<streamhost jid='relay.localhost' host='127.0.0.1' port='5000'/>";
    const std::string q = "<query xmlns='http://jabber.org/protocol/bytestreams'";
    EXPECT_TRUE(ReadRelayOffer(Parse(Offer(q + " sid='s1'>" + host + relay + "</query>"))));
    const std::string refused[] = {
        q + " sid='s1' mode='udp'>" + host + relay + "</query>",   // not a tcp stream
        q + ">" + host + relay + "</query>",                       // no stream id
        q + " sid='s 1'>" + host + relay + "</query>",             // an id with a blank
        q + " sid='" + std::string(65, 'a') + "'>" + host + relay + "</query>",
        q + " sid='s1'>" + host + "</query>",                      // the offerer unnamed
        q + " sid='s1'>" + relay + "</query>",                     // no stream host
        q + " sid='s1'>" + host + "<relay xmlns='urn:x-ringdisk:lobby:1' initiator='" + std::string(1100, 'a') +
            "'/></query>",
        "<query xmlns='urn:other' sid='s1'>" + host + relay + "</query>",
    };
    for (const std::string& query : refused) EXPECT_FALSE(ReadRelayOffer(Parse(Offer(query)))) << query;
    EXPECT_FALSE(ReadRelayOffer(Parse("<iq type='get' id='o1'>" + q + " sid='s1'>" + host + relay + "</query></iq>")));
}

TEST_F(BytestreamStanzas, AnOfferListsAFewStreamHostsAtMost) {
    std::string hosts;
    for (int i = 0; i < 50; ++i) hosts += "<streamhost jid='h" + std::to_string(i) + ".localhost' host='h' port='1'/>";
    const std::optional<RelayOffer> offer = ReadRelayOffer(Parse(Offer(
        "<query xmlns='http://jabber.org/protocol/bytestreams' sid='s1'>" + hosts +
        "<relay xmlns='urn:x-ringdisk:lobby:1' initiator='x@localhost/r'/></query>")));
    ASSERT_TRUE(offer);
    EXPECT_LE(offer->hostJids.size(), 8u);
}

TEST_F(BytestreamStanzas, AProxyAnswerCountsOnlyForThatProxyWithAPlainHostAndPort) {
    auto answer = [&](const std::string& attributes) {
        return ReadProxyAnswer(Parse("<iq type='result' id='p' from='relay.localhost'>"
                                     "<query xmlns='http://jabber.org/protocol/bytestreams'>"
                                     "<streamhost " + attributes + "/></query></iq>"),
                               QStringLiteral("relay.localhost"));
    };
    EXPECT_EQ(answer("jid='relay.localhost' host='127.0.0.1' port='5000'"), kProxy);
    EXPECT_FALSE(answer("jid='other.localhost' host='127.0.0.1' port='5000'"));
    EXPECT_FALSE(answer("jid='relay.localhost' host='127.0.0.1' port='0'"));
    EXPECT_FALSE(answer("jid='relay.localhost' host='127.0.0.1' port='70000'"));
    EXPECT_FALSE(answer("jid='relay.localhost' host='a b' port='5000'"));
    EXPECT_FALSE(answer("jid='relay.localhost' port='5000'"));
}

TEST_F(BytestreamStanzas, ServiceItemsAreCappedAndUnusableOnesSkipped) {
    std::string items = "<item/><item jid=''/>";
    for (int i = 0; i < 40; ++i) items += "<item jid='s" + std::to_string(i) + ".localhost'/>";
    const std::vector<QString> read = ReadServiceItems(
        Parse("<iq type='result' id='i'><query xmlns='http://jabber.org/protocol/disco#items'>" + items +
              "</query></iq>"),
        16);
    ASSERT_EQ(read.size(), 16u);
    EXPECT_EQ(read.front(), QStringLiteral("s0.localhost"));
    EXPECT_TRUE(ReadServiceItems(Parse("<iq type='error' id='i'><query xmlns='http://jabber.org/protocol/disco#items'>"
                                       "<item jid='s.localhost'/></query></iq>"),
                                 16)
                    .empty());
}

TEST_F(BytestreamStanzas, TheTargetsAnswerAndErrorsReadBack) {
    xmpp_stanza_t* used = RoundTrip(NewStreamHostUsed(ctx_, QStringLiteral("lobby@rooms.localhost/Ana"), "o1",
                                                      QStringLiteral("s1"), kProxy.jid));
    EXPECT_EQ(ReadStreamHostUsed(used), kProxy.jid);
    xmpp_stanza_t* error = RoundTrip(NewIqError(ctx_, QStringLiteral("lobby@rooms.localhost/Ana"), "o1", "cancel",
                                                "not-acceptable"));
    EXPECT_FALSE(ReadStreamHostUsed(error));
    EXPECT_EQ(IqErrorCondition(error), QStringLiteral("not-acceptable"));
}

TEST_F(BytestreamStanzas, TheActivationNamesTheTargetAsTheProxyReadsIt) {
    xmpp_stanza_t* iq = RoundTrip(NewActivation(ctx_, kProxy.jid, "a1", QStringLiteral("s1"),
                                                QStringLiteral("lobby@rooms.localhost/Bob")));
    xmpp_stanza_t* query = xmpp_stanza_get_child_by_name_and_ns(iq, "query", kBytestreams);
    ASSERT_TRUE(query);
    EXPECT_STREQ(xmpp_stanza_get_attribute(query, "sid"), "s1");
    EXPECT_STREQ(xmpp_stanza_get_to(iq), "relay.localhost");
    char* target = xmpp_stanza_get_text(xmpp_stanza_get_child_by_name(query, "activate"));
    ASSERT_TRUE(target);
    EXPECT_STREQ(target, "lobby@rooms.localhost/Bob");
    xmpp_free(ctx_, target);
}
