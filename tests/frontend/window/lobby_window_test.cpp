// The online lobby's window inside the real main window: what it asks when
// no server is known, what it shows when the lobby cannot be reached, how
// it keeps the server and "friends only" in the settings file, and what it
// does with the games and lines the lobby reports, none of it waiting.
#include <QAction>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QTcpServer>
#include <QTest>

#include "frontend/texts/lobby_texts.h"
#include "tests/frontend/window/window_fixture.h"

namespace {

constexpr int kEnglish = 2;

void Answer(QInputDialog* dialog, const QString& text) {
    dialog->setTextValue(text);
    dialog->accept();
}

// A loopback port nobody listens on.
quint16 ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

lobby::GameListing Listing(const char* version, bool password) {
    lobby::GameListing listing;
    listing.seatsTaken = 1;
    listing.version = QString::fromLatin1(version);
    listing.password = password;
    return listing;
}

// The lobby window on screen, listing these games as the lobby reported them.
void ShowListing(LobbyWindow& lobby,
                 std::initializer_list<std::pair<const char*, lobby::GameListing>> games) {
    lobby.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    for (const auto& [host, game] : games)
        lobby.LobbyReport(lobby::GameSeen{QString::fromLatin1(host), game});
}

TEST_F(WindowTest, TheLobbyAsksForItsServerFirstRefusesANonAddressAndShowsAnUnreachableOneClearly) {
    Open(kEnglish);
    Find<QAction>("SaguaoOnline1")->trigger();
    ASSERT_TRUE(window->Lobby().isVisible());
    LobbyWindowDriver lobby = InLobby();
    QInputDialog* first = lobby.Question();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->labelText().contains("Running a lobby")) << qPrintable(first->labelText());

    Answer(first, QStringLiteral("not a server!"));
    QInputDialog* again = lobby.Question();
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->labelText().contains("\"not a server!\" is not a server address."));

    const QString address = QStringLiteral("localhost:%1").arg(ClosedPort());
    Answer(again, address);
    EXPECT_EQ(lobby.Status(), LobbyTr(LobbyText::SigningIn, kEnglish).arg(address));
    // The window goes on while the lobby is tried; the failure comes as a report.
    ASSERT_TRUE(
        SpinUntil([&] { return lobby.Status() == "The lobby server could not be reached."; }));
    EXPECT_TRUE(lobby.StatusShowsProblem());
    EXPECT_TRUE(lobby.Chat().endsWith("*** The lobby server could not be reached."));
    EXPECT_FALSE(lobby.JoinOffered());

    window->close();
    ASSERT_TRUE(SpinUntil([&] { return !window->isVisible(); }));
    QFile saved(SettingsPath());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("Servidor do sagu\xE3o=" + address.toLatin1() + "\r\n"));
}

TEST_F(WindowTest, OpeningTheLobbyAgainWhileItAsksShowsOneQuestionNotTwo) {
    Open(kEnglish);
    Find<QAction>("SaguaoOnline1")->trigger();
    ASSERT_TRUE(InLobby().Question());
    Find<QAction>("SaguaoOnline1")->trigger();
    QTest::qWait(50);
    EXPECT_EQ(InLobby().QuestionsShown(), 1);
}

TEST_F(WindowTest, AKeptServerIsSignedInToWithoutAskingAndFriendsOnlyComesBackChecked) {
    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray address = "localhost:" + QByteArray::number(ClosedPort());
    file.write("[Config]\r\nServidor do sagu\xE3o=" + address + "\r\nS\xF3 amigos=1\r\n");
    file.close();
    Open(kEnglish);
    EXPECT_TRUE(Player().Checked(Part::CreateFriendsOnly));
    EXPECT_EQ(Player().Text(Part::CreateFriendsOnly), "Friends only (not listed in the lobby)");
    Find<QAction>("SaguaoOnline1")->trigger();
    EXPECT_EQ(InLobby().Status(), "Signing in to " + QString::fromLatin1(address) + "…");
    EXPECT_EQ(InLobby().QuestionsShown(), 0);

    // Unchecked, the key leaves the file at the next close.
    Player().SetChecked(Part::CreateFriendsOnly, false);
    window->close();
    ASSERT_TRUE(SpinUntil([&] { return !window->isVisible(); }));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    EXPECT_FALSE(saved.contains("S\xF3 amigos"));
    EXPECT_TRUE(saved.contains("Servidor do sagu\xE3o=" + address));
}

TEST_F(WindowTest, TheMenusOfferTheLobbyAndTheQuickMatchInThePlayersLanguage) {
    Open(1);
    QAction* lobby = Find<QAction>("SaguaoOnline1");
    EXPECT_EQ(lobby->text(), "Saguão online");
    EXPECT_EQ(Find<QAction>("JogarOnlineAgora1")->text(), "Jogar online agora");
    EXPECT_EQ(lobby->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_EQ(lobby->parent(), Find<QMenu>("Jogo1"));
}

TEST_F(WindowTest, AChatLineOutsideTheLobbyStaysTypedAndTheWindowSaysWhy) {
    Open(kEnglish);
    window->Lobby().show();
    LobbyWindowDriver lobby = InLobby();
    lobby.SendChatLine(QStringLiteral("hello"));
    EXPECT_TRUE(lobby.Chat().endsWith("*** Not in the lobby: the message was not sent."));
    EXPECT_EQ(lobby.TypedChatLine(), "hello");
}

TEST_F(WindowTest, TheLobbysLinesAreShownAsTypedNeverAsMarkup) {
    Open(kEnglish);
    window->Lobby().LobbyReport(
        lobby::ChatHeard{QStringLiteral("Eve"), QStringLiteral("<b>bold</b> &amp;")});
    EXPECT_EQ(InLobby().Chat(), "<Eve> <b>bold</b> &amp;");
}

TEST_F(WindowTest, AGameOfAnotherVersionCannotBeJoinedAndAPasswordIsAskedBeforeJoining) {
    Open(kEnglish);
    LobbyWindow& lobby = window->Lobby();
    ASSERT_NO_FATAL_FAILURE(
        ShowListing(lobby, {{"Old", Listing("v1.0", false)}, {"Ana", Listing("v1.1", true)}}));
    ASSERT_EQ(lobby.Games().rowCount(), 2);

    LobbyWindowDriver player = InLobby();
    player.DoubleClickRow(lobby.Games().RowOf(QStringLiteral("Old")));
    QTest::qWait(100);
    EXPECT_EQ(player.ChosenRow(), -1);
    EXPECT_FALSE(lobby.Matchmaker().Joining());
    EXPECT_EQ(player.QuestionsShown(), 0);
    EXPECT_EQ(player.Status(), "Not in a lobby.");

    player.DoubleClickRow(lobby.Games().RowOf(QStringLiteral("Ana")));
    QInputDialog* password = player.Question();
    ASSERT_TRUE(password);
    EXPECT_EQ(password->labelText(), "Ana's game has a password:");
    EXPECT_EQ(password->textEchoMode(), QLineEdit::Password);
    Answer(password, QStringLiteral("secret"));
    // Not in the lobby: the join is refused at once, and the window says why.
    ASSERT_TRUE(SpinUntil([&] { return player.Status() == "Sign in to the lobby first."; }, 3000))
        << qPrintable(player.Status());
}

TEST_F(WindowTest, SignInAsksForTheServerAgainOfferingTheKeptOne) {
    Open(kEnglish);
    const QString kept = QStringLiteral("localhost:%1").arg(ClosedPort());
    window->Lobby().SetServerAddress(kept);
    window->Lobby().show();
    LobbyWindowDriver lobby = InLobby();
    EXPECT_EQ(lobby.QuestionsShown(), 0);

    lobby.PressSignIn();
    QInputDialog* question = lobby.Question();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->textValue(), kept);
    EXPECT_TRUE(question->labelText().contains("Running a lobby"));
    const QString other = QStringLiteral("127.0.0.1:%1").arg(ClosedPort());
    Answer(question, other);
    EXPECT_EQ(lobby.Status(), "Signing in to " + other + "…");
    EXPECT_FALSE(lobby.StatusShowsProblem());
    EXPECT_EQ(window->Lobby().ServerAddress(), other);
}

TEST_F(WindowTest, AChosenGameIsOfferedForJoiningOnlyInsideTheLobby) {
    Open(kEnglish);
    LobbyWindow& lobbyWindow = window->Lobby();
    ASSERT_NO_FATAL_FAILURE(ShowListing(
        lobbyWindow, {{"Ana", Listing("v1.1", false)}, {"Bob", Listing("v1.1", false)}}));
    LobbyWindowDriver lobby = InLobby();
    ASSERT_EQ(lobby.Rows().size(), 2);
    EXPECT_EQ(lobby.Rows()[1][LobbyGameTable::Host], "Bob");
    EXPECT_EQ(lobby.ChosenRow(), -1);

    lobby.ClickRow(1);
    EXPECT_EQ(lobby.ChosenRow(), 1);
    EXPECT_FALSE(lobby.JoinOffered());
    lobby.PressJoin();
    QTest::qWait(100);
    EXPECT_FALSE(lobbyWindow.Matchmaker().Joining());
    EXPECT_EQ(lobby.Status(), "Not in a lobby.");
}

TEST_F(WindowTest, ALostLobbyEmptiesTheListAndSaysSo) {
    Open(kEnglish);
    LobbyWindow& lobby = window->Lobby();
    lobby.LobbyReport(lobby::GameSeen{QStringLiteral("Ana"), Listing("v1.1", false)});
    lobby.LobbyReport(lobby::GameSeen{QStringLiteral("Bob"), Listing("v1.1", false)});
    lobby.LobbyReport(lobby::GameGone{QStringLiteral("Ana")});
    ASSERT_EQ(lobby.Games().rowCount(), 1);
    EXPECT_EQ(InLobby().Rows().front()[LobbyGameTable::Host], "Bob");
    lobby.LobbyReport(
        lobby::Failure{lobby::FailureKind::ConnectionLost, QStringLiteral("stream closed")});
    EXPECT_EQ(lobby.Games().rowCount(), 0);
    EXPECT_EQ(InLobby().Status(), "The connection to the lobby was lost.");
    EXPECT_TRUE(InLobby().Rows().isEmpty());
}

TEST_F(WindowTest, AJoinThatNeitherTheLineNorTheRelayCarriesSaysWhichWayFailed) {
    Open(kEnglish);
    LobbyWindow& lobby = window->Lobby();
    lobby.JoinFailed(QStringLiteral("Ana"), lobby::JoinFailure::NoRelay);
    EXPECT_EQ(InLobby().Status(), "Ana's game cannot be reached directly and the lobby has no relay.");
    EXPECT_TRUE(InLobby().StatusShowsProblem());
    lobby.JoinFailed(QStringLiteral("Ana"), lobby::JoinFailure::RelayFailed);
    EXPECT_EQ(InLobby().Status(),
              "Ana's game cannot be reached, neither directly nor through the lobby's relay.");
}

}  // namespace
