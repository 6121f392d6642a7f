// The window's part in forwarding a hosted game's port: the menu item that
// turns it off and is kept in the settings, and the create dialog's address
// for friends with the local one under it and a button that copies it.
#include <QClipboard>
#include <QFile>
#include <QTest>

#include "tests/frontend/window/window_fixture.h"

namespace {

TEST_F(WindowTest, TheRouterItemTurnsPortForwardingOffAndTheChoiceIsKept) {
    Open(1);
    QAction* item = Find<QAction>("AbrirPorta1");
    EXPECT_EQ(item->text(), "Abrir a porta no roteador (UPnP/NAT-PMP)");
    ASSERT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked()) << "on at the first start";
    PortForwarding& forwarding = window->Core().Online().Forwarding();
    item->trigger();
    EXPECT_FALSE(forwarding.Enabled());
    window->close();
    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Abrir porta no roteador=0\r\n"));
    file.close();

    window.reset();
    Open(1);
    EXPECT_FALSE(Find<QAction>("AbrirPorta1")->isChecked());
    Find<QAction>("AbrirPorta1")->trigger();
    EXPECT_TRUE(window->Core().Online().Forwarding().Enabled());
    window->close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("Abrir porta no roteador")) << "on is not written down";
}

TEST_F(WindowTest, TheCreateDialogShowsTheAddressFriendsTypeAndCopiesIt) {
    Open(3);
    MainWindowDriver player = Player();
    EXPECT_EQ(player.Text(Part::CopyAddress), "Copiar");
    WhenModal([&player](QWidget* dialog) {
        // Forwarding is off: no search is told, and the note is empty.
        EXPECT_TRUE(player.Text(Part::CreateAddressNote).isEmpty());
        player.ShowOwnAddress("198.51.100.1", "En la red local: 192.0.2.10");
        player.Click(Part::CopyAddress);
        EXPECT_TRUE(dialog->isVisible()) << "copying does not close the dialog";
        player.Press(Part::CreateCancel);
    });
    QTest::mouseClick(Find<QPushButton>("Create"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "198.51.100.1");
    EXPECT_EQ(player.Text(Part::CreateOwnAddress), "198.51.100.1");
    EXPECT_EQ(player.Text(Part::CreateAddressNote), "En la red local: 192.0.2.10");
    EXPECT_FALSE(window->Core().Online().IsHost());
}

}  // namespace
