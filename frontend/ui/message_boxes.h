// The window's message boxes. Information boxes are often raised while a
// socket's read handler runs ("KIKD:", a lost connection): they are shown
// without blocking the caller, one after the other in the order asked, so no
// nested event loop runs under that handler. Only the Yes/No question, asked
// from buttons and menus, waits for its answer.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class MessageBoxes {
public:
    // beforeShow runs before each box appears (the game loses the mouse).
    MessageBoxes(QWidget& parent, int uiLanguage, std::function<void()> beforeShow);

    // Caption "VEX Ringdisk", one OK button.
    void Inform(const QString& text);
    // "No" is the default; true for "Yes". Button texts in the player's language.
    bool Ask(const QString& caption, const QString& question);
    // A box that waits, for the close's failures (English, as they have always been).
    void InformAndWait(const QString& text);

    // The box on screen, if any, and those still waiting behind it.
    QMessageBox* Current() const { return current_; }
    const QStringList& Waiting() const { return waiting_; }

private:
    void ShowNext();

    QWidget& parent_;
    int uiLanguage_;
    std::function<void()> beforeShow_;
    QStringList waiting_;
    QPointer<QMessageBox> current_;
};
