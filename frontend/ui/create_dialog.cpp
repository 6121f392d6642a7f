#include "frontend/ui/create_dialog.h"

#include "frontend/core/online_game.h"
#include "frontend/core/own_address.h"
#include "frontend/core/window_texts.h"
#include "frontend/ui/dialog_parts.h"

CreateDialog::CreateDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("criarf");
    setFixedSize(262, 150);
    passwordLabel = DialogLabel(this, "Label1", {}, 12);
    password = PasswordField(this, 12);
    portLabel = DialogLabel(this, "Label2", {}, 42);
    port = DialogField(this, "Porta", QString::number(kDefaultPort), 42);
    ownAddressLabel = DialogLabel(this, "Label3", {}, 72);
    ownAddress = DialogField(this, "SeuIP", {}, 72);
    ownAddress->setReadOnly(true);
    confirm = DialogButton(this, "Button1", 24, 110, true);
    cancel = DialogButton(this, "Button2", 138, 110, false);
    CentreOnScreen(*this);
}

void CreateDialog::SetCaptions(int language) {
    setWindowTitle(CaptionText(Caption::CreateTitle, language));
    passwordLabel->setText(CaptionText(Caption::Password, language));
    portLabel->setText(CaptionText(Caption::Port, language));
    ownAddressLabel->setText(CaptionText(Caption::OwnAddress, language));
    confirm->setText(CaptionText(Caption::CreateConfirm, language));
    cancel->setText(CaptionText(Caption::Cancel, language));
}

void CreateDialog::showEvent(QShowEvent* event) {
    ownAddress->setText(OwnIpv4Address());
    QDialog::showEvent(event);
}
