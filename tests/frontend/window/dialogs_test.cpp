// The join, create, mouse and about dialogs as the window opens them: their
// defaults, their refusals, and what they hand to the core and the library.
#include <QFile>
#include <QKeyEvent>
#include <QTcpServer>
#include <QTest>

#include "tests/frontend/window/window_fixture.h"

namespace {

TEST_F(WindowTest, JoinDialogDefaultsAndItsRefusalsInThePlayersLanguage) {
    Open(3);
    JoinDialog* join = window->joinDialog;
    EXPECT_EQ(join->address->text(), "127.0.0.1");
    EXPECT_EQ(join->port->text(), "2500");
    EXPECT_EQ(join->password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(join->confirm->text(), "Entrar!");

    library.focusCalls.clear();
    WhenModal([join](QWidget* dialog) {
        EXPECT_EQ(dialog, join);
        join->address->setText("local host");  // no name has a blank
        join->confirm->click();
    });
    QTest::mouseClick(Find<QPushButton>("Join"), Qt::LeftButton);
    EXPECT_EQ(library.focusCalls.front(), false);  // before the dialog
    EXPECT_EQ(TakeBox(*window), QString::fromUtf8("IP inválido."));

    WhenModal([join](QWidget*) {
        join->address->setText("127.0.0.1");
        join->port->setText("0");
        join->confirm->click();
    });
    QTest::mouseClick(Find<QPushButton>("Join"), Qt::LeftButton);
    EXPECT_EQ(TakeBox(*window), QString::fromUtf8("Puerta inválida."));
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());
}

TEST_F(WindowTest, CancellingTheJoinDialogDoesNothing) {
    Open();
    WhenModal([this](QWidget*) { window->joinDialog->cancel->click(); });
    QTest::mouseClick(Find<QPushButton>("Join"), Qt::LeftButton);
    EXPECT_FALSE(window->Core().Online().IsConnecting());
    EXPECT_EQ(window->boxes.Current(), nullptr);
}

TEST_F(WindowTest, CreateDialogShowsTheOwnAddressAndHostsOnConfirm) {
    Open();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen());
    const QString port = QString::number(probe.serverPort());
    probe.close();
    CreateDialog* create = window->createDialog;
    EXPECT_EQ(create->port->text(), "2500");
    EXPECT_TRUE(create->ownAddress->isReadOnly());
    WhenModal([create, port](QWidget*) {
        EXPECT_EQ(create->ownAddress->text().count(u'.'), 3);
        EXPECT_FALSE(create->ownAddress->text().startsWith("127.0.1."));
        create->port->setText(port);
        create->confirm->click();
    });
    window->panels.nick->setText("Ana");
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
    WhenModal([this, &taken](QWidget*) {
        window->createDialog->port->setText(QString::number(taken.serverPort()));
        window->createDialog->confirm->click();
    });
    QTest::mouseClick(Find<QPushButton>("Create"), Qt::LeftButton);
    EXPECT_EQ(TakeBox(*window), QString::fromUtf8("Não foi possível criar o jogo nesta porta."));
    EXPECT_FALSE(window->Core().Online().IsHost());
    EXPECT_TRUE(Find<QWidget>("Conexao")->isVisible());
}

TEST_F(WindowTest, MouseDialogPreviewsLiveAndCancelPutsTheOldValueBack) {
    Open();
    QSlider* bar = window->mouseDialog->trackBar;
    EXPECT_EQ(bar->minimum(), 25);
    EXPECT_EQ(bar->maximum(), 300);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(bar->tickInterval(), 25);
    EXPECT_EQ(bar->tickPosition(), QSlider::TicksBothSides);

    library.optionCalls.clear();
    WhenModal([bar](QWidget* dialog) {
        bar->setValue(200);
        dialog->repaint();  // a repaint must not move what Cancel restores
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Find<QAction>("Definirsensibilidadedomouse1")->trigger();
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(library.optionCalls, (std::vector<std::string>{"SetMouseSensitivity(200)",
                                                             "SetMouseSensitivity(100)"}));

    library.optionCalls.clear();
    WhenModal([this, bar](QWidget*) {
        bar->setValue(250);
        window->mouseDialog->confirm->click();
    });
    Find<QAction>("Definirsensibilidadedomouse1")->trigger();
    EXPECT_EQ(bar->value(), 250);
    EXPECT_EQ(library.optionCalls.back(), "SetMouseSensitivity(250)");
}

TEST_F(WindowTest, AboutBoxShowsOurOwnCreditAndTakesTheMouse) {
    Open();
    library.focusCalls.clear();
    WhenModal([this](QWidget* dialog) {
        EXPECT_EQ(dialog, window->aboutDialog);
        EXPECT_EQ(window->aboutDialog->version->text(), "v1.1");
        EXPECT_EQ(window->aboutDialog->product->text(), "VEX Ringdisk");
        EXPECT_EQ(window->aboutDialog->credit->text(), "Ringdisk: a free table game for Linux");
        EXPECT_EQ(window->aboutDialog->picture->pixmap().size(), QSize(64, 64));
        window->aboutDialog->confirm->click();
    });
    Find<QAction>("Sobre1")->trigger();
    ASSERT_FALSE(library.focusCalls.empty());
    EXPECT_EQ(library.focusCalls.back(), false);
}

TEST_F(WindowTest, TheAboutBoxsLinkLabelAndPictureOpenTheGamesDocumentation) {
    Open();
    AboutDialog* about = window->aboutDialog;
    std::vector<QUrl> opened;
    about->openLink = [&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    WhenModal([about](QWidget*) {
        EXPECT_TRUE(about->link->isVisible());
        QTest::mouseClick(about->link, Qt::LeftButton);
        QTest::mouseClick(about->picture, Qt::LeftButton);
        QTest::mouseClick(about->picture, Qt::RightButton);
        QTest::mouseClick(about->product, Qt::LeftButton);
        about->confirm->click();
    });
    Find<QAction>("Sobre1")->trigger();
    const QUrl documentation = about->Target();
    EXPECT_EQ(opened, (std::vector<QUrl>{documentation, documentation}));
    // The build keeps the README where an install puts it, seen from the
    // programs' folder: <prefix>/bin/../share/doc/ringdisk.
    ASSERT_TRUE(documentation.isLocalFile());
    const QString path = documentation.toLocalFile();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/share/doc/ringdisk/README.md"))) << path.toStdString();
    QFile readme(path);
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_TRUE(readme.readLine().startsWith("# Ringdisk"));
    EXPECT_EQ(about->link->toolTip(), path);
}

TEST_F(WindowTest, PasswordsKeepOnlyWhatTheWireCarries) {
    Open();
    QLineEdit* password = window->createDialog->password;
    EXPECT_EQ(password->maxLength(), 100);
    for (QChar c : QString::fromUtf8("pä✓ss")) {  // typed, as keys that carry text
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(password, &press);
    }
    EXPECT_EQ(password->text(), QString::fromUtf8("päss"));
}

}  // namespace
