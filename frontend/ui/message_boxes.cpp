#include "frontend/ui/message_boxes.h"

#include <QAbstractButton>
#include <QTimer>

#include "frontend/texts/window_texts.h"

MessageBoxes::MessageBoxes(QWidget& parent, int uiLanguage, std::function<void()> beforeShow)
    : parent_(parent), uiLanguage_(uiLanguage), beforeShow_(std::move(beforeShow)) {}

void MessageBoxes::Inform(const QString& text) {
    waiting_.append(text);
    // Shown from the event loop, after the handler that asked has returned.
    if (!current_) QTimer::singleShot(0, &parent_, [this] { ShowNext(); });
}

void MessageBoxes::ShowNext() {
    if (current_ || waiting_.isEmpty()) return;
    if (beforeShow_) beforeShow_();
    auto* box = new QMessageBox(QMessageBox::Information, kApplicationTitle, waiting_.takeFirst(),
                                QMessageBox::Ok, &parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QDialog::finished, &parent_, [this] {
        current_ = nullptr;
        QTimer::singleShot(0, &parent_, [this] { ShowNext(); });
    });
    current_ = box;
    box->open();
}

bool MessageBoxes::Ask(const QString& caption, const QString& question) {
    if (beforeShow_) beforeShow_();
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No,
                    &parent_);
    box.button(QMessageBox::Yes)->setText(CaptionText(Caption::Yes, uiLanguage_));
    box.button(QMessageBox::No)->setText(CaptionText(Caption::No, uiLanguage_));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxes::InformAndWait(const QString& text) {
    if (beforeShow_) beforeShow_();
    QMessageBox box(QMessageBox::Information, kApplicationTitle, text, QMessageBox::Ok, &parent_);
    box.exec();
}
