// `about`: the game's picture, name, version `versao`, credit line and a
// link label. The credit line is kept scrambled in the program and read when
// the box shows. The link label shows where the game's documentation is (the
// game has no web page); clicking it or the picture opens that through the
// desktop's usual opener.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <functional>

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent);
    void SetCaptions(int uiLanguage);

    QLabel* picture;
    QLabel* product;
    QLabel* version;  // versao
    QLabel* credit;
    QLabel* link;
    QPushButton* confirm;  // Button1 "OK"

    std::function<void()> onShown;
    // Opens the link's target; the desktop's opener unless replaced.
    std::function<bool(const QUrl&)> openLink;

    // What the link opens: the documentation beside this program.
    QUrl Target() const { return target_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QUrl target_;
};

QString CreditLine();
