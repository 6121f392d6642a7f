// The lobby window against a real Prosody on loopback: a taken nickname is
// asked again and the second answer signs in; games another client lists
// appear, change and go in the window's list; a game chosen and joined
// asks its host; lines go both ways.
#include <QAction>
#include <QInputDialog>
#include <QTest>

#include "frontend/lobby/lobby_client.h"
#include "frontend/texts/lobby_texts.h"
#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/window/window_fixture.h"

namespace {

struct OtherPlayer : lobby::LobbyListener {
    lobby::LobbyClient client{*this};
    bool in = false;
    QStringList heard;
    QStringList askedToJoin;
    void LobbyReport(const lobby::LobbyEvent& event) override {
        if (std::holds_alternative<lobby::SignedIn>(event)) in = true;
        if (const auto* ask = std::get_if<lobby::JoinAsked>(&event)) askedToJoin << ask->occupant;
        if (const auto* line = std::get_if<lobby::ChatHeard>(&event))
            heard << line->occupant + ": " + line->text;
    }
};

class LobbyOnProsody : public WindowTest {
protected:
    void SetUp() override {
        if (!ProsodyServer::Installed()) GTEST_SKIP() << "prosody is not installed";
        ASSERT_TRUE(server.Start()) << qPrintable(server.Problem());
        // The server's certificate is the test's own: trusted as the system's would be.
        qputenv("SSL_CERT_FILE", server.Lobby().caFile.toLocal8Bit());
    }
    void TearDown() override { qunsetenv("SSL_CERT_FILE"); }

    QString Address() const { return QStringLiteral("localhost:%1").arg(server.Lobby().port); }

    ProsodyServer server;
};

lobby::GameListing Waiting(int seatsTaken) {
    lobby::GameListing listing;
    listing.hostName = QStringLiteral("Ana");
    listing.seatsTaken = seatsTaken;
    listing.version = QStringLiteral("v1.1");
    listing.openedAt = 1765280000;
    return listing;
}

TEST_F(LobbyOnProsody, ATakenNicknameIsAskedAgainAndListedGamesAndLinesFollowLive) {
    OtherPlayer ana;
    ASSERT_TRUE(ana.client.SignIn(server.Lobby(), QStringLiteral("Ana")));
    ASSERT_TRUE(SpinUntil([&] { return ana.in; }));
    ASSERT_TRUE(ana.client.PublishGame(Waiting(1)));

    Open(2);
    Player().Fill(Part::Nickname, QStringLiteral("Ana"));
    LobbyWindow& lobby = window->Lobby();
    LobbyWindowDriver player = InLobby();
    lobby.SetServerAddress(Address());
    Find<QAction>("SaguaoOnline1")->trigger();

    QInputDialog* again = player.Question(10000);
    ASSERT_TRUE(again) << qPrintable(player.Status());
    EXPECT_TRUE(again->labelText().startsWith("The nickname Ana is already in the lobby."));
    EXPECT_EQ(player.Status(), "The nickname Ana is already in the lobby.");
    again->setTextValue(QStringLiteral("Bob"));
    again->accept();
    ASSERT_TRUE(SpinUntil([&] {
        return player.Status() == "In the lobby " + Address() + " as Bob.";
    })) << qPrintable(player.Status());

    ASSERT_TRUE(SpinUntil([&] { return lobby.Games().RowOf(QStringLiteral("Ana")) >= 0; }));
    // Ana's row as the list shows it.
    const auto cell = [&](int column) {
        for (const QStringList& row : player.Rows()) {
            if (row[LobbyGameTable::Host] == QStringLiteral("Ana")) return row[column];
        }
        return QString();
    };
    EXPECT_EQ(cell(LobbyGameTable::Players), "1 / 2");
    EXPECT_EQ(cell(LobbyGameTable::State), "waiting");

    // Chosen and joined by the button: the host is asked, and one who never
    // answers is given up with a word to the player.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    const int anasRow = lobby.Games().RowOf(QStringLiteral("Ana"));
    player.ClickRow(anasRow);
    EXPECT_EQ(player.ChosenRow(), anasRow);
    ASSERT_TRUE(player.JoinOffered());
    player.PressJoin();
    ASSERT_TRUE(SpinUntil([&] { return ana.askedToJoin.contains(QStringLiteral("Bob")); }));
    const QString noAnswer = LobbyTr(LobbyText::JoinNoAnswer, 2).arg(QStringLiteral("Ana"));
    ASSERT_TRUE(SpinUntil([&] { return player.Status() == noAnswer; }))
        << qPrintable(player.Status());
    EXPECT_TRUE(player.StatusShowsProblem());
    EXPECT_FALSE(lobby.Matchmaker().Joining());

    lobby::GameListing playing = Waiting(2);
    playing.stage = lobby::GameStage::InMatch;
    ASSERT_TRUE(ana.client.PublishGame(playing));
    ASSERT_TRUE(SpinUntil([&] { return cell(LobbyGameTable::State) == "in a match"; }));
    EXPECT_EQ(cell(LobbyGameTable::Players), "2 / 2");

    ASSERT_EQ(ana.client.SendChat(QStringLiteral("anyone for a game?")), lobby::ChatRefusal::None);
    ASSERT_TRUE(SpinUntil([&] { return player.Chat().contains("<Ana> anyone for a game?"); }));
    player.SendChatLine(QStringLiteral("me!"));
    EXPECT_TRUE(player.TypedChatLine().isEmpty());
    ASSERT_TRUE(SpinUntil([&] { return ana.heard.contains("Bob: me!"); }));
    // A line the chat's rules refuse stays typed, and the window says why.
    player.SendChatLine(QString(lobby::kMaxChatChars + 1, 'a'));
    EXPECT_TRUE(player.Chat().endsWith("*** The message is longer than 100 characters."));
    EXPECT_EQ(player.TypedChatLine().size(), lobby::kMaxChatChars + 1);

    ana.client.WithdrawGame();
    ASSERT_TRUE(SpinUntil([&] { return lobby.Games().rowCount() == 0; }));

    // The server goes away mid-session: the window says so and lists nothing.
    ASSERT_TRUE(ana.client.PublishGame(Waiting(1)));
    ASSERT_TRUE(SpinUntil([&] { return lobby.Games().rowCount() == 1; }));
    server.Stop();
    ASSERT_TRUE(SpinUntil([&] {
        return player.Status() == "The connection to the lobby was lost.";
    })) << qPrintable(player.Status());
    EXPECT_EQ(lobby.Games().rowCount(), 0);
    EXPECT_FALSE(player.JoinOffered());
}

}  // namespace

namespace {

TEST_F(LobbyOnProsody, PlayOnlineNowSignsInFirstThenHostsAListedGameWhenNoneWaits) {
    OtherPlayer carla;
    ASSERT_TRUE(carla.client.SignIn(server.Lobby(), QStringLiteral("Carla")));
    ASSERT_TRUE(SpinUntil([&] { return carla.in; }));

    Open(2);
    Player().Fill(Part::Nickname, QStringLiteral("Dora"));
    Player().Fill(Part::CreatePort, QString::number(FreeLoopbackPort()));
    // Even a box left checked from a friends' game: a quick match is there to be found.
    Player().SetChecked(Part::CreateFriendsOnly, true);
    window->Lobby().SetServerAddress(Address());
    Find<QAction>("JogarOnlineAgora1")->trigger();
    EXPECT_FALSE(window->Core().Online().IsHost());  // not before the lobby is known

    ASSERT_TRUE(SpinUntil([&] { return carla.client.Games().count(QStringLiteral("Dora")) == 1; }))
        << qPrintable(InLobby().Status());
    EXPECT_TRUE(window->Core().Online().IsHost());
    const lobby::GameListing& listed = carla.client.Games().at(QStringLiteral("Dora"));
    EXPECT_EQ(listed.seatsTaken, 1);
    EXPECT_EQ(listed.stage, lobby::GameStage::Waiting);
    EXPECT_FALSE(listed.password);
}

}  // namespace
