// The join, create, mouse and about dialogs as the window opens them: their
// defaults, their refusals, and what they hand to the core and the library.
#include <QFile>
#include <QTcpServer>
#include <QTest>

#include "tests/frontend/window/window_fixture.h"

namespace {

TEST_F(WindowTest, JoinDialogDefaultsAndItsRefusalsInThePlayersLanguage) {
    Open(3);
    MainWindowDriver player = Player();
    EXPECT_EQ(player.Text(Part::JoinAddress), "127.0.0.1");
    EXPECT_EQ(player.Text(Part::JoinPort), "2500");
    EXPECT_TRUE(player.Masked(Part::JoinPassword));
    EXPECT_EQ(player.Text(Part::JoinConfirm), "Entrar!");

    library.focusCalls.clear();
    WhenModal([&player](QWidget* dialog) {
        EXPECT_TRUE(player.Is(Dialog::Join, dialog));
        player.Fill(Part::JoinAddress, "local host");  // no name has a blank
        player.Press(Part::JoinConfirm);
    });
    QTest::mouseClick(Find<QPushButton>("Join"), Qt::LeftButton);
    EXPECT_EQ(library.focusCalls.front(), false);  // before the dialog
    EXPECT_EQ(player.TakeBox(), QString::fromUtf8("IP inválido."));

    WhenModal([&player](QWidget*) {
        player.Fill(Part::JoinAddress, "127.0.0.1");
        player.Fill(Part::JoinPort, "0");
        player.Press(Part::JoinConfirm);
    });
    QTest::mouseClick(Find<QPushButton>("Join"), Qt::LeftButton);
    EXPECT_EQ(player.TakeBox(), QString::fromUtf8("Puerta inválida."));
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());
}

TEST_F(WindowTest, CancellingTheJoinDialogDoesNothing) {
    Open();
    WhenModal([this](QWidget*) { Player().Press(Part::JoinCancel); });
    QTest::mouseClick(Find<QPushButton>("Join"), Qt::LeftButton);
    EXPECT_FALSE(window->Core().Online().IsConnecting());
    EXPECT_TRUE(Player().NoBoxShown());
}

TEST_F(WindowTest, CreateDialogShowsTheOwnAddressAndHostsOnConfirm) {
    Open();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen());
    const QString port = QString::number(probe.serverPort());
    probe.close();
    MainWindowDriver player = Player();
    EXPECT_EQ(player.Text(Part::CreatePort), "2500");
    EXPECT_TRUE(player.ReadOnly(Part::CreateOwnAddress));
    WhenModal([&player, port](QWidget*) {
        EXPECT_EQ(player.Text(Part::CreateOwnAddress).count(u'.'), 3);
        EXPECT_FALSE(player.Text(Part::CreateOwnAddress).startsWith("127.0.1."));
        player.Fill(Part::CreatePort, port);
        player.Press(Part::CreateConfirm);
    });
    player.Fill(Part::Nickname, "Ana");
    QTest::mouseClick(Find<QPushButton>("Create"), Qt::LeftButton);
    ASSERT_TRUE(window->Core().Online().IsHost());
    EXPECT_TRUE(Find<QWidget>("Panel2")->isVisible());
    EXPECT_EQ(Find<QLabel>("player1")->text(), "Ana");
    EXPECT_TRUE(Find<QLabel>("player1")->isEnabled());
    EXPECT_EQ(Find<QLabel>("player2")->text(), "Player 2");
    EXPECT_FALSE(Find<QLabel>("player2")->isEnabled());

    // "Novo" while hosting asks first; "No" leaves the game as it was.
    WhenModal([](QWidget* box) {
        EXPECT_EQ(static_cast<QMessageBox*>(box)->text(), "Do you really want to close this game?");
        AnswerQuestion(box, "No");
    });
    Find<QAction>("Novo1")->trigger();
    EXPECT_TRUE(window->Core().Online().IsHost());
    EXPECT_TRUE(library.practiceName.isEmpty());
}

TEST_F(WindowTest, APortInUseIsToldAndTheWindowStaysOffline) {
    Open(1);
    QTcpServer taken;
    ASSERT_TRUE(taken.listen());
    Player().HostGame(QString::number(taken.serverPort()));
    EXPECT_EQ(Player().TakeBox(), QString::fromUtf8("Não foi possível criar o jogo nesta porta."));
    EXPECT_FALSE(window->Core().Online().IsHost());
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());
}

TEST_F(WindowTest, MouseDialogPreviewsLiveAndCancelPutsTheOldValueBack) {
    Open();
    MainWindowDriver player = Player();
    const MainWindowDriver::Scale scale = player.SensitivityScale();
    EXPECT_EQ(scale.minimum, 25);
    EXPECT_EQ(scale.maximum, 300);
    EXPECT_EQ(player.Sensitivity(), 100);
    EXPECT_EQ(scale.tickInterval, 25);
    EXPECT_EQ(scale.ticks, QSlider::TicksBothSides);

    library.optionCalls.clear();
    WhenModal([&player](QWidget* dialog) {
        player.SetSensitivity(200);
        dialog->repaint();  // a repaint must not move what Cancel restores
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Find<QAction>("Definirsensibilidadedomouse1")->trigger();
    EXPECT_EQ(player.Sensitivity(), 100);
    EXPECT_EQ(library.optionCalls, (std::vector<std::string>{"SetMouseSensitivity(200)",
                                                             "SetMouseSensitivity(100)"}));

    library.optionCalls.clear();
    WhenModal([&player](QWidget*) {
        player.SetSensitivity(250);
        player.Press(Part::MouseConfirm);
    });
    Find<QAction>("Definirsensibilidadedomouse1")->trigger();
    EXPECT_EQ(player.Sensitivity(), 250);
    EXPECT_EQ(library.optionCalls.back(), "SetMouseSensitivity(250)");
}

TEST_F(WindowTest, AboutBoxShowsOurOwnCreditAndTakesTheMouse) {
    Open();
    library.focusCalls.clear();
    WhenModal([this](QWidget* dialog) {
        MainWindowDriver player = Player();
        EXPECT_TRUE(player.Is(Dialog::About, dialog));
        EXPECT_EQ(player.Text(Part::AboutVersion), "v1.1");
        EXPECT_EQ(player.Text(Part::AboutProduct), "VEX Ringdisk");
        EXPECT_EQ(player.Text(Part::AboutCredit), "Ringdisk: a free table game for Linux");
        EXPECT_EQ(player.PictureSize(Part::AboutPicture), QSize(64, 64));
        player.Press(Part::AboutConfirm);
    });
    Find<QAction>("Sobre1")->trigger();
    ASSERT_FALSE(library.focusCalls.empty());
    EXPECT_EQ(library.focusCalls.back(), false);
}

TEST_F(WindowTest, TheAboutBoxsLinkLabelAndPictureOpenTheGamesDocumentation) {
    Open();
    MainWindowDriver player = Player();
    std::vector<QUrl> opened;
    player.OpenLinksWith([&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    WhenModal([&player](QWidget*) {
        EXPECT_TRUE(player.Visible(Part::AboutLink));
        player.Click(Part::AboutLink);
        player.Click(Part::AboutPicture);
        player.Click(Part::AboutPicture, Qt::RightButton);
        player.Click(Part::AboutProduct);
        player.Press(Part::AboutConfirm);
    });
    Find<QAction>("Sobre1")->trigger();
    const QUrl documentation = player.DocumentationLink();
    EXPECT_EQ(opened, (std::vector<QUrl>{documentation, documentation}));
    // The build keeps the README where an install puts it, seen from the
    // programs' folder: <prefix>/bin/../share/doc/ringdisk.
    ASSERT_TRUE(documentation.isLocalFile());
    const QString path = documentation.toLocalFile();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/share/doc/ringdisk/README.md"))) << path.toStdString();
    QFile readme(path);
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_TRUE(readme.readLine().startsWith("# Ringdisk"));
    EXPECT_EQ(player.Hint(Part::AboutLink), path);
}

TEST_F(WindowTest, PasswordsKeepOnlyWhatTheWireCarries) {
    Open();
    MainWindowDriver player = Player();
    EXPECT_EQ(player.MaxLength(Part::CreatePassword), 100);
    player.Type(Part::CreatePassword, QString::fromUtf8("pä✓ss"));
    EXPECT_EQ(player.Text(Part::CreatePassword), QString::fromUtf8("päss"));
}

}  // namespace
