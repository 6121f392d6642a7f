// `mousesen`: the mouse sensitivity, 25..300. Moving the track bar tells the
// library at once (a live preview); "Cancelar", Escape and the close box put
// back the position the dialog opened with, in the library as well.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QSlider>
#include <functional>

class MouseDialog : public QDialog {
public:
    explicit MouseDialog(QWidget* parent);
    void SetCaptions(int uiLanguage);

    QSlider* trackBar;     // TrackBar1
    QPushButton* confirm;  // Button1 "OK"
    QPushButton* cancel;   // Button2

    // Each position the library must be given.
    std::function<void(int)> onSensitivity;

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    int remembered_ = 100;
};
