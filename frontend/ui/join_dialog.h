// `conectarf`: where to join a game. The values stay between uses and are
// kept in the settings file; the window joins with them on "Conectar!".
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class JoinDialog : public QDialog {
public:
    explicit JoinDialog(QWidget* parent);
    void SetCaptions(int uiLanguage);

    QLineEdit* address;   // IP
    QLineEdit* port;      // Porta
    QLineEdit* password;  // Senha
    QLabel* portLabel;
    QLabel* passwordLabel;
    QPushButton* confirm;  // Button1
    QPushButton* cancel;   // Button2
};
