#include "frontend/ui/create_dialog.h"

#include <QClipboard>
#include <QGuiApplication>

#include "frontend/net/own_address.h"
#include "frontend/session/online_game.h"
#include "frontend/texts/lobby_texts.h"
#include "frontend/texts/window_texts.h"
#include "frontend/ui/dialog_parts.h"

CreateDialog::CreateDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("criarf");
    setFixedSize(262, 206);
    passwordLabel = DialogLabel(this, "Label1", {}, 12);
    password = PasswordField(this, 12);
    portLabel = DialogLabel(this, "Label2", {}, 42);
    port = DialogField(this, "Porta", QString::number(kDefaultPort), 42);
    ownAddressLabel = DialogLabel(this, "Label3", {}, 72);
    ownAddress = DialogField(this, "SeuIP", {}, 72);
    ownAddress->setReadOnly(true);
    addressNote = new QLabel(this);
    addressNote->setObjectName("SeuIPNota");
    addressNote->setGeometry(12, 98, 176, 34);
    addressNote->setWordWrap(true);
    addressNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    copyAddress = new QPushButton(this);
    copyAddress->setObjectName("CopiarIP");
    copyAddress->setGeometry(190, 100, 56, 24);
    copyAddress->setAutoDefault(false);
    connect(copyAddress, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(ownAddress->text()); });
    friendsOnly = new QCheckBox(this);
    friendsOnly->setObjectName("SoAmigos");
    friendsOnly->setGeometry(12, 134, 238, 24);
    confirm = DialogButton(this, "Button1", 24, 166, true);
    cancel = DialogButton(this, "Button2", 138, 166, false);
    CentreOnScreen(*this);
}

void CreateDialog::SetCaptions(int language) {
    setWindowTitle(CaptionText(Caption::CreateTitle, language));
    passwordLabel->setText(CaptionText(Caption::Password, language));
    portLabel->setText(CaptionText(Caption::Port, language));
    ownAddressLabel->setText(CaptionText(Caption::OwnAddress, language));
    confirm->setText(CaptionText(Caption::CreateConfirm, language));
    cancel->setText(CaptionText(Caption::Cancel, language));
    copyAddress->setText(CaptionText(Caption::CopyAddress, language));
    friendsOnly->setText(LobbyTr(LobbyText::FriendsOnly, language));
}

void CreateDialog::ShowOwnAddress(const QString& address, const QString& note) {
    ownAddress->setText(address);
    addressNote->setText(note);
}

void CreateDialog::showEvent(QShowEvent* event) {
    // The router's answer, when one is asked for, follows.
    ownAddress->setText(OwnIpv4Address());
    QDialog::showEvent(event);
}
