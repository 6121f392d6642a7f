// `criarf`: the password and port of a game hosted here, and the address
// friends type to join it.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class CreateDialog : public QDialog {
public:
    explicit CreateDialog(QWidget* parent);
    void SetCaptions(int uiLanguage);
    // The address friends type and the line under it.
    void ShowOwnAddress(const QString& address, const QString& note);

    QLineEdit* password;    // Senha
    QLineEdit* port;        // Porta
    QLineEdit* ownAddress;  // SeuIP, read-only, filled when shown
    QLabel* addressNote;    // under it: the local address, or the router's search
    QPushButton* copyAddress;  // puts SeuIP on the clipboard
    QCheckBox* friendsOnly;    // not listed in the online lobby
    QLabel* passwordLabel;
    QLabel* portLabel;
    QLabel* ownAddressLabel;
    QPushButton* confirm;  // Button1
    QPushButton* cancel;   // Button2

protected:
    void showEvent(QShowEvent* event) override;
};
