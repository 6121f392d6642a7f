// The window in online games against headless peers in their own processes:
// hosting, joining, the refusal boxes, and the host vanishing.
#include <QTcpServer>
#include <QTest>

#include "tests/frontend/network/peer_process.h"
#include "tests/frontend/window/window_fixture.h"

namespace {

QString FreePort() {
    QTcpServer probe;
    probe.listen();
    return QString::number(probe.serverPort());
}

class WindowOnline : public WindowTest {
protected:
    PeerGroup peers;
};

TEST_F(WindowOnline, APeerJoinsTheWindowsGameAndAWonMatchIsCounted) {
    Open();
    Player().Fill(Part::Nickname, "Ana");
    const QString port = FreePort();
    Player().HostGame(port);
    ASSERT_TRUE(window->Core().Online().IsHost());
    PeerProcess& bob = peers.Start("Bob");
    bob.Send("join 127.0.0.1 " + port);
    ASSERT_GE(bob.WaitForLine("SLOT 1 1 Ana"), 0);
    ASSERT_TRUE(SpinUntil([&] { return Find<QLabel>("player2")->text() == "Bob"; }));
    EXPECT_TRUE(Find<QLabel>("player2")->isEnabled());
    EXPECT_EQ(Find<QLabel>("PTS2")->text(), "0");
    EXPECT_EQ(Player().SlotBoxColour(1), 0xC0C0C0u);
    ASSERT_TRUE(Find<QPushButton>("Iniciar")->isEnabled());

    QTest::mouseClick(Find<QPushButton>("Iniciar"), Qt::LeftButton);
    EXPECT_EQ(Player().SlotBoxColour(1), 0x00FF00u);
    EXPECT_EQ(Player().SlotBoxColour(2), 0xFF0000u);
    EXPECT_EQ(Player().SlotBoxColour(3), 0xC0C0C0u);
    EXPECT_GE(bob.WaitForLine("BOX 1 00ff00"), 0);

    // The library reports green's win on the window's table.
    ASSERT_NE(library.Listener(), nullptr);
    library.Listener()->OnVictory(1);
    EXPECT_EQ(Find<QLabel>("PTS1")->text(), "1");
}

TEST_F(WindowOnline, TheWindowJoinsAPeersGameAndLearnsWhenTheHostVanishes) {
    PeerProcess& host = peers.StartHost("Cid");
    ASSERT_NE(peers.HostPort(), 0);
    Open();
    Player().Fill(Part::Nickname, "");  // an empty name becomes a guest's, shown in the field
    Player().JoinGame(peers.HostPort());
    ASSERT_TRUE(SpinUntil([&] { return Find<QLabel>("player2")->isEnabled(); }));
    EXPECT_EQ(Find<QLabel>("player1")->text(), "Cid");
    const QString guest = Player().Text(Part::Nickname);
    EXPECT_TRUE(guest.startsWith("Guest")) << guest.toStdString();
    EXPECT_EQ(Find<QLabel>("player2")->text(), guest);
    EXPECT_GE(host.WaitForLine("SLOT 2 1 " + guest), 0);

    host.Kill();
    EXPECT_EQ(Player().TakeBox(), "You have been disconnected or the server was closed.");
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());
}

TEST_F(WindowOnline, AWrongPasswordATakenNameAndAKickAreToldWithTheirBoxes) {
    PeerProcess& host = peers.StartHost("Cid", "secret");
    ASSERT_NE(peers.HostPort(), 0);
    Open(1);
    Player().Fill(Part::Nickname, "Dan");
    Player().JoinGame(peers.HostPort(), "wrong");
    EXPECT_EQ(Player().TakeBox(), QString::fromUtf8("Senha inválida."));
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());

    Player().Fill(Part::Nickname, "Cid");
    Player().JoinGame(peers.HostPort(), "secret");
    EXPECT_EQ(Player().TakeBox(), QString::fromUtf8("Seu apelido já está sendo usado!"));
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());

    // Admitted, then kicked by the host.
    Player().Fill(Part::Nickname, "Dan");
    Player().JoinGame(peers.HostPort(), "secret");
    ASSERT_GE(host.WaitForLine("SLOT 2 1 Dan"), 0);
    host.Send("chat /kick Dan");
    EXPECT_EQ(Player().TakeBox(), QString::fromUtf8("Você foi expulso do chat!"));
    // The box comes with the host's message; the panel, when the host then
    // closes the line, which may be a moment later.
    EXPECT_TRUE(SpinUntil([&] { return Find<QWidget>("Conexao")->isVisible(); }));
    EXPECT_TRUE(host.Running());
}

TEST_F(WindowOnline, PlayingAgainstTheComputerSeatsTheBotStartsTheMatchAndLeavingEndsIt) {
    Open(1);
    Player().Fill(Part::Nickname, "Ana");
    EXPECT_EQ(Find<QMenu>("JogarComputador1")->title(), "Jogar contra o computador");
    EXPECT_EQ(Find<QAction>("Mestre1")->text(), "Mestre");
    Find<QAction>("Iniciante1")->trigger();
    ASSERT_TRUE(window->Core().Online().IsHost());
    EXPECT_TRUE(window->ComputerPlaying());
    ASSERT_TRUE(SpinUntil([&] { return Find<QLabel>("player2")->text() == "Computador"; }));
    ASSERT_TRUE(SpinUntil([&] { return library.matches.size() == 1; }));
    EXPECT_EQ(library.matches[0].seat, 1);  // the host plays green
    EXPECT_EQ(Player().SlotBoxColour(1), 0x00FF00u);
    EXPECT_EQ(Player().SlotBoxColour(2), 0xFF0000u);

    WhenModal([](QWidget* box) { AnswerQuestion(box, "Sim"); });
    QTest::mouseClick(Find<QPushButton>("Encerrar"), Qt::LeftButton);
    EXPECT_FALSE(window->Core().Online().IsHost());
    EXPECT_FALSE(window->ComputerPlaying());
}

TEST_F(WindowOnline, NobodyListeningGivesTheConnectFailedBoxAndFreesTheButtons) {
    Open(2);
    const QString port = FreePort();
    Player().JoinGame(port.toUShort());
    EXPECT_EQ(Player().TakeBox(),
              "Error when trying to conect to the server. Invalid IP or server is unavaliable.");
    EXPECT_TRUE(Find<QPushButton>("Join")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("Treinar")->isEnabled());
    EXPECT_TRUE(Find<QAction>("Novo1")->isEnabled());
}

}  // namespace
