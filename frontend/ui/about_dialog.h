// `about`: the game's picture, name, version `versao` and credit line. The
// credit line is kept scrambled in the program and read when the box shows.
// There is no link to open: the box names nothing outside this game.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent);
    void SetCaptions(int uiLanguage);

    QLabel* picture;
    QLabel* product;
    QLabel* version;  // versao
    QLabel* credit;
    QPushButton* confirm;  // Button1 "OK"

    std::function<void()> onShown;

protected:
    void showEvent(QShowEvent* event) override;
};

QString CreditLine();
