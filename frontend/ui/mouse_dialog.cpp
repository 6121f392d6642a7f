#include "frontend/ui/mouse_dialog.h"

#include <QLabel>
#include <QSignalBlocker>

#include "frontend/settings/game_options.h"
#include "frontend/texts/window_texts.h"
#include "frontend/ui/dialog_parts.h"

namespace {
constexpr int kStep = 25;
constexpr int kSliderLeft = 16;
constexpr int kSliderWidth = 268;
}  // namespace

MouseDialog::MouseDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("mousesen");
    setFixedSize(300, 120);
    trackBar = new QSlider(Qt::Horizontal, this);
    trackBar->setObjectName("TrackBar1");
    trackBar->setRange(kMouseSensitivityMinimum, kMouseSensitivityMaximum);
    trackBar->setSingleStep(kStep);
    trackBar->setPageStep(kStep);
    trackBar->setTickInterval(kStep);
    trackBar->setTickPosition(QSlider::TicksBothSides);
    trackBar->setValue(100);
    trackBar->setGeometry(kSliderLeft, 30, kSliderWidth, 32);
    // The tick labels above their ticks.
    const int span = kMouseSensitivityMaximum - kMouseSensitivityMinimum;
    int index = 1;
    for (int value : {25, 100, 200, 300}) {
        auto* label = new QLabel(QString::number(value), this);
        label->setObjectName(QStringLiteral("Label%1").arg(index++));
        const int x = kSliderLeft + 6 + (kSliderWidth - 12) * (value - kMouseSensitivityMinimum) / span;
        label->setGeometry(x - 15, 10, 30, 16);
        label->setAlignment(Qt::AlignCenter);
    }
    connect(trackBar, &QSlider::valueChanged, this, [this](int value) {
        if (onSensitivity) onSensitivity(value);
    });
    confirm = DialogButton(this, "Button1", 44, 80, true);
    confirm->setText("OK");
    cancel = DialogButton(this, "Button2", 156, 80, false);
    CentreOnScreen(*this);
}

void MouseDialog::SetCaptions(int language) {
    setWindowTitle(CaptionText(Caption::MouseSensitivity, language));
    cancel->setText(CaptionText(Caption::Cancel, language));
}

// Remembered when shown: the dialog repaints after every move of the bar.
void MouseDialog::showEvent(QShowEvent* event) {
    remembered_ = trackBar->value();
    QDialog::showEvent(event);
}

void MouseDialog::accept() {
    if (onSensitivity) onSensitivity(trackBar->value());
    QDialog::accept();
}

void MouseDialog::reject() {
    {
        const QSignalBlocker quiet(trackBar);  // the library is told once, below
        trackBar->setValue(remembered_);
    }
    if (onSensitivity) onSensitivity(remembered_);
    QDialog::reject();
}
