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

// The question the lobby window shows now, waiting for it a little.
QInputDialog* Question(LobbyWindow& lobby) {
    QInputDialog* shown = nullptr;
    SpinUntil(
        [&] {
            for (QInputDialog* dialog : lobby.findChildren<QInputDialog*>()) {
                if (dialog->isVisible()) shown = dialog;
            }
            return shown != nullptr;
        },
        3000);
    return shown;
}

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

void DoubleClickRow(LobbyWindow& lobby, int row) {
    const QRect cell = lobby.list->visualRect(lobby.list->model()->index(row, 0));
    // As a hand does it: the first click, then the second one that doubles it.
    QTest::mouseClick(lobby.list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(lobby.list->viewport(), Qt::LeftButton, {}, cell.center());
}

TEST_F(WindowTest, TheLobbyAsksForItsServerFirstRefusesANonAddressAndShowsAnUnreachableOneClearly) {
    Open(kEnglish);
    Find<QAction>("SaguaoOnline1")->trigger();
    LobbyWindow& lobby = window->Lobby();
    ASSERT_TRUE(lobby.isVisible());
    QInputDialog* first = Question(lobby);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->labelText().contains("Running a lobby")) << qPrintable(first->labelText());

    Answer(first, QStringLiteral("not a server!"));
    QInputDialog* again = Question(lobby);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->labelText().contains("\"not a server!\" is not a server address."));

    const QString address = QStringLiteral("localhost:%1").arg(ClosedPort());
    Answer(again, address);
    EXPECT_EQ(lobby.status->text(), LobbyTr(LobbyText::SigningIn, kEnglish).arg(address));
    // The window goes on while the lobby is tried; the failure comes as a report.
    ASSERT_TRUE(SpinUntil(
        [&] { return lobby.status->text() == "The lobby server could not be reached."; }));
    EXPECT_TRUE(lobby.status->styleSheet().contains("color"));
    EXPECT_TRUE(lobby.chat->toPlainText().endsWith("*** The lobby server could not be reached."));
    EXPECT_FALSE(lobby.join->isEnabled());

    window->close();
    ASSERT_TRUE(SpinUntil([&] { return !window->isVisible(); }));
    QFile saved(SettingsPath());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("Servidor do sagu\xE3o=" + address.toLatin1() + "\r\n"));
}

TEST_F(WindowTest, OpeningTheLobbyAgainWhileItAsksShowsOneQuestionNotTwo) {
    Open(kEnglish);
    Find<QAction>("SaguaoOnline1")->trigger();
    ASSERT_TRUE(Question(window->Lobby()));
    Find<QAction>("SaguaoOnline1")->trigger();
    QTest::qWait(50);
    int shown = 0;
    for (QInputDialog* dialog : window->Lobby().findChildren<QInputDialog*>())
        shown += dialog->isVisible();
    EXPECT_EQ(shown, 1);
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
    LobbyWindow& lobby = window->Lobby();
    EXPECT_EQ(lobby.status->text(), "Signing in to " + QString::fromLatin1(address) + "…");
    for (QInputDialog* dialog : lobby.findChildren<QInputDialog*>())
        EXPECT_FALSE(dialog->isVisible());

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
    LobbyWindow& lobby = window->Lobby();
    lobby.show();
    lobby.chatInput->setText(QStringLiteral("hello"));
    QTest::keyClick(lobby.chatInput, Qt::Key_Return);
    EXPECT_TRUE(
        lobby.chat->toPlainText().endsWith("*** Not in the lobby: the message was not sent."));
    EXPECT_EQ(lobby.chatInput->text(), "hello");
}

TEST_F(WindowTest, TheLobbysLinesAreShownAsTypedNeverAsMarkup) {
    Open(kEnglish);
    LobbyWindow& lobby = window->Lobby();
    lobby.LobbyReport(lobby::ChatHeard{QStringLiteral("Eve"), QStringLiteral("<b>bold</b> &amp;")});
    EXPECT_EQ(lobby.chat->toPlainText(), "<Eve> <b>bold</b> &amp;");
}

TEST_F(WindowTest, AGameOfAnotherVersionCannotBeJoinedAndAPasswordIsAskedBeforeJoining) {
    Open(kEnglish);
    LobbyWindow& lobby = window->Lobby();
    lobby.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    lobby.LobbyReport(lobby::GameSeen{QStringLiteral("Old"), Listing("v1.0", false)});
    lobby.LobbyReport(lobby::GameSeen{QStringLiteral("Ana"), Listing("v1.1", true)});
    ASSERT_EQ(lobby.Games().rowCount(), 2);

    DoubleClickRow(lobby, lobby.Games().RowOf(QStringLiteral("Old")));
    QTest::qWait(100);
    EXPECT_TRUE(lobby.list->selectionModel()->selectedRows().isEmpty());
    EXPECT_FALSE(lobby.Matchmaker().Joining());
    for (QInputDialog* dialog : lobby.findChildren<QInputDialog*>())
        EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(lobby.status->text(), "Not in a lobby.");

    DoubleClickRow(lobby, lobby.Games().RowOf(QStringLiteral("Ana")));
    QInputDialog* password = Question(lobby);
    ASSERT_TRUE(password);
    EXPECT_EQ(password->labelText(), "Ana's game has a password:");
    EXPECT_EQ(password->textEchoMode(), QLineEdit::Password);
    Answer(password, QStringLiteral("secret"));
    // Not in the lobby: the join is refused at once, and the window says why.
    ASSERT_TRUE(
        SpinUntil([&] { return lobby.status->text() == "Sign in to the lobby first."; }, 3000))
        << qPrintable(lobby.status->text());
}

TEST_F(WindowTest, ALostLobbyEmptiesTheListAndSaysSo) {
    Open(kEnglish);
    LobbyWindow& lobby = window->Lobby();
    lobby.LobbyReport(lobby::GameSeen{QStringLiteral("Ana"), Listing("v1.1", false)});
    lobby.LobbyReport(lobby::GameSeen{QStringLiteral("Bob"), Listing("v1.1", false)});
    lobby.LobbyReport(lobby::GameGone{QStringLiteral("Ana")});
    ASSERT_EQ(lobby.Games().rowCount(), 1);
    lobby.LobbyReport(
        lobby::Failure{lobby::FailureKind::ConnectionLost, QStringLiteral("stream closed")});
    EXPECT_EQ(lobby.Games().rowCount(), 0);
    EXPECT_EQ(lobby.status->text(), "The connection to the lobby was lost.");
}

}  // namespace
