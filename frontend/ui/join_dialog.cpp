#include "frontend/ui/join_dialog.h"

#include "frontend/session/online_game.h"
#include "frontend/texts/window_texts.h"
#include "frontend/ui/dialog_parts.h"

JoinDialog::JoinDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("conectarf");
    setFixedSize(262, 150);
    DialogLabel(this, "Label1", "IP", 12);
    address = DialogField(this, "IP", "127.0.0.1", 12);
    portLabel = DialogLabel(this, "Label2", {}, 42);
    port = DialogField(this, "Porta", QString::number(kDefaultPort), 42);
    passwordLabel = DialogLabel(this, "Label3", {}, 72);
    password = PasswordField(this, 72);
    confirm = DialogButton(this, "Button1", 24, 110, true);
    cancel = DialogButton(this, "Button2", 138, 110, false);
    CentreOnScreen(*this);
}

void JoinDialog::SetCaptions(int language) {
    setWindowTitle(CaptionText(Caption::JoinTitle, language));
    portLabel->setText(CaptionText(Caption::Port, language));
    passwordLabel->setText(CaptionText(Caption::Password, language));
    confirm->setText(CaptionText(Caption::JoinConfirm, language));
    cancel->setText(CaptionText(Caption::Cancel, language));
}
