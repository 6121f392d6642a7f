// The window the computer player does without: it shows nobody anything
// and keeps only the last message box, whose text the player reports when
// its session ends.
#pragma once

#include "frontend/view/frontend_view.h"

class QuietView : public FrontendView {
public:
    void AppendChatLine(const ChatLine&) override {}
    void ClearChat() override {}
    void ShowMessage(const QString& text) override { lastMessage = text; }
    // Leaving is never asked: the player leaves when told to.
    bool Confirm(const QString&, const QString&) override { return true; }
    void Beep() override {}
    void SetSlotLabel(int, const QString&, bool) override {}
    void SetSlotBox(int, uint32_t) override {}
    void SetWinLabel(int, const QString&) override {}
    void SetStartEnabled(bool) override {}
    void SetConnectionPanelVisible(bool) override {}
    void SetPracticeLayout(bool) override {}
    void SetConnecting(bool) override {}
    void ShowNickname(const QString&) override {}

    QString lastMessage;
};
