// What the core shows through the main window.
#include <QApplication>

#include "frontend/ui/chat_painter.h"
#include "frontend/ui/main_window.h"

void MainWindow::AppendChatLine(const ChatLine& line) {
    AppendChatRuns(*panels.chat, line);
}

void MainWindow::ClearChat() {
    panels.chat->clear();
}

void MainWindow::ShowMessage(const QString& text) {
    boxes.Inform(text);
}

bool MainWindow::Confirm(const QString& caption, const QString& question) {
    return boxes.Ask(caption, question);
}

void MainWindow::Beep() {
    QApplication::beep();
}

void MainWindow::SetSlotLabel(int slot, const QString& text, bool enabled) {
    // A long name, or one marked as relayed, is cut to the row with its
    // whole text on the pointer.
    QLabel* name = panels.rows[slot - 1].name;
    const QString shown = name->fontMetrics().elidedText(text, Qt::ElideRight, name->width());
    name->setText(shown);
    name->setToolTip(shown == text ? QString() : text);
    name->setEnabled(enabled);
}

void MainWindow::SetSlotBox(int slot, uint32_t rgb) {
    panels.rows[slot - 1].SetBoxColor(rgb);
}

void MainWindow::SetWinLabel(int slot, const QString& text) {
    panels.rows[slot - 1].wins->setText(text);
}

void MainWindow::SetStartEnabled(bool enabled) {
    panels.start->setEnabled(enabled);
}

void MainWindow::SetConnectionPanelVisible(bool visible) {
    panels.stack->setCurrentWidget(visible ? panels.connection : panels.players);
}

void MainWindow::SetPracticeLayout(bool practice) {
    panels.start->setEnabled(false);
    panels.start->setVisible(!practice);
    for (QWidget* w : {static_cast<QWidget*>(panels.playersLabel),
                       static_cast<QWidget*>(panels.chatLabel), static_cast<QWidget*>(panels.chat),
                       static_cast<QWidget*>(panels.chatInput)})
        w->setVisible(!practice);
    for (PlayerRow& row : panels.rows) {
        row.name->setVisible(!practice);
        row.box->setVisible(!practice);
    }
    // The side panel's buttons would take Space, the aiming keys' shot: the
    // keys go to the table until the player clicks elsewhere.
    if (practice) tela->setFocus(Qt::OtherFocusReason);
}

void MainWindow::SetConnecting(bool connecting) {
    for (QWidget* w : {panels.join, panels.create, panels.practice})
        w->setEnabled(!connecting);
    menus.newGame->setEnabled(!connecting);
    menus.playComputer->setEnabled(!connecting);
}

void MainWindow::ShowNickname(const QString& name) {
    panels.nick->setText(name);
}
