// `criarf`: the password and port of a game hosted here, and the address
// friends type to join it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class CreateDialog : public QDialog {
public:
    explicit CreateDialog(QWidget* parent);
    void SetCaptions(int uiLanguage);

    QLineEdit* password;    // Senha
    QLineEdit* port;        // Porta
    QLineEdit* ownAddress;  // SeuIP, read-only, filled when shown
    QLabel* passwordLabel;
    QLabel* portLabel;
    QLabel* ownAddressLabel;
    QPushButton* confirm;  // Button1
    QPushButton* cancel;   // Button2

protected:
    void showEvent(QShowEvent* event) override;
};
