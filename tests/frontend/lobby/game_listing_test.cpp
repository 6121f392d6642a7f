// The lobby's payloads as an unknown occupant may send them: what a host
// writes is read back unchanged, and anything malformed is dropped whole.
#include <gtest/gtest.h>

#include "frontend/lobby/game_listing.h"
#include "frontend/lobby/join_answer.h"

using namespace lobby;

namespace {

GameListing AnasGame() {
    GameListing g;
    g.hostName = QStringLiteral("Ana Lu\u00edsa");
    g.seatsTaken = 1;
    g.seats = 2;
    g.watchers = 3;
    g.password = true;
    g.stage = GameStage::InMatch;
    g.version = QStringLiteral("v1.1");
    g.openedAt = 1765280000;
    return g;
}

std::optional<GameListing> WithField(const char* key, const std::string& value) {
    ElementAttributes attributes = EncodeGameListing(AnasGame());
    attributes[key] = value;
    return DecodeGameListing(attributes);
}

}  // namespace

TEST(GameListing, WhatAHostWritesIsReadBackUnchanged) {
    EXPECT_EQ(DecodeGameListing(EncodeGameListing(AnasGame())), AnasGame());
    GameListing waiting = AnasGame();
    waiting.stage = GameStage::Waiting;
    waiting.password = false;
    waiting.seatsTaken = 0;
    EXPECT_EQ(DecodeGameListing(EncodeGameListing(waiting)), waiting);
}

TEST(GameListing, AListingWithoutAnyOneOfItsFieldsIsDropped) {
    for (const auto& [key, value] : EncodeGameListing(AnasGame())) {
        ElementAttributes attributes = EncodeGameListing(AnasGame());
        attributes.erase(key);
        EXPECT_FALSE(DecodeGameListing(attributes)) << "without " << key;
    }
}

TEST(GameListing, FieldsItDoesNotKnowAreSkipped) {
    ElementAttributes attributes = EncodeGameListing(AnasGame());
    attributes["mode"] = "tournament";
    attributes["x"] = std::string(5000, 'y');
    EXPECT_EQ(DecodeGameListing(attributes), AnasGame());
}

TEST(GameListing, MalformedNumbersAreDropped) {
    for (const char* bad : {"", "-1", "+1", "01", "1 ", " 1", "1.0", "0x1", "one", "99999999999999999999"})
        EXPECT_FALSE(WithField("watchers", bad)) << "watchers=\"" << bad << "\"";
    EXPECT_FALSE(WithField("of", "0"));
    EXPECT_FALSE(WithField("of", std::to_string(kMaxSeats + 1)));
    EXPECT_FALSE(WithField("seats", "3")) << "more seats taken than the table has";
    EXPECT_FALSE(WithField("watchers", std::to_string(kMaxWatchers + 1)));
    EXPECT_FALSE(WithField("password", "2"));
    EXPECT_FALSE(WithField("opened", "253402300800"));
    EXPECT_TRUE(WithField("watchers", "0"));
    EXPECT_TRUE(WithField("watchers", std::to_string(kMaxWatchers)));
}

TEST(GameListing, AnUnknownStateIsDropped) {
    EXPECT_FALSE(WithField("state", "playing"));
    EXPECT_FALSE(WithField("state", "Waiting"));
    EXPECT_TRUE(WithField("state", "waiting"));
}

TEST(GameListing, NamesAreCappedInCharactersNotBytes) {
    const QString longest(kMaxHostNameChars, QChar(0x00E3));  // two bytes each in UTF-8
    const auto read = WithField("host", longest.toStdString());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->hostName, longest);
    EXPECT_FALSE(WithField("host", QString(kMaxHostNameChars + 1, QChar('a')).toStdString()));
    // A character beyond the basic plane counts once.
    EXPECT_TRUE(WithField("host", (QString(kMaxHostNameChars - 1, QChar('a')) +
                                   QString::fromUcs4(U"\U0001F3B2")).toStdString()));
}

TEST(GameListing, NamesWithControlCharactersOrBrokenUtf8AreDropped) {
    EXPECT_FALSE(WithField("host", ""));
    EXPECT_FALSE(WithField("host", "Ana\nBob"));
    EXPECT_FALSE(WithField("host", std::string("Ana\0Bob", 7)));
    EXPECT_FALSE(WithField("host", "Ana\x1b[31m"));
    EXPECT_FALSE(WithField("host", "Ana\xc2\x85"));      // next line, a C1 control
    EXPECT_FALSE(WithField("host", "Ana\xe2\x80\xa8"));  // line separator
    EXPECT_FALSE(WithField("host", "Ana\xc3"));          // cut in the middle of a character
    EXPECT_FALSE(WithField("host", "\xed\xa0\x80"));     // an encoded surrogate
    EXPECT_FALSE(WithField("version", "v1.1 beta"));
    EXPECT_FALSE(WithField("version", "v\xc3\xa9"));
}

TEST(GameListing, AHostCannotPublishWhatOthersWouldDrop) {
    EXPECT_TRUE(IsPublishable(AnasGame()));
    GameListing bad = AnasGame();
    bad.hostName = QString(kMaxHostNameChars + 1, QChar('a'));
    EXPECT_FALSE(IsPublishable(bad));
    bad = AnasGame();
    bad.seatsTaken = 3;
    EXPECT_FALSE(IsPublishable(bad));
    bad = AnasGame();
    bad.version.clear();
    EXPECT_FALSE(IsPublishable(bad));
}

TEST(JoinAnswer, AddressesAndNamesAreReadBack) {
    for (const JoinAnswer& a : {JoinAnswer{QStringLiteral("198.51.100.7"), 2500},
                                JoinAnswer{QStringLiteral("2001:db8::5"), 1},
                                JoinAnswer{QStringLiteral("ana.example.org"), 65535}})
        EXPECT_EQ(DecodeJoinAnswer(EncodeJoinAnswer(a)), a) << a.host.toStdString();
}

TEST(JoinAnswer, AnythingButAPlainHostAndPortIsRefused) {
    const auto answer = [](const std::string& host, const std::string& port) {
        return DecodeJoinAnswer({{"host", host}, {"port", port}});
    };
    EXPECT_FALSE(answer("198.51.100.7", "0"));
    EXPECT_FALSE(answer("198.51.100.7", "65536"));
    EXPECT_FALSE(answer("198.51.100.7", ""));
    EXPECT_FALSE(answer("", "2500"));
    EXPECT_FALSE(answer("-oProxyCommand", "2500"));
    EXPECT_FALSE(answer("ana example", "2500"));
    EXPECT_FALSE(answer("<b>ana</b>", "2500"));
    EXPECT_FALSE(answer("ana\n", "2500"));
    EXPECT_FALSE(answer(std::string(kMaxHostChars + 1, 'a'), "2500"));
    EXPECT_TRUE(answer(std::string(kMaxHostChars, 'a'), "2500"));
    EXPECT_FALSE(DecodeJoinAnswer({{"host", "198.51.100.7"}}));
}
