// The chat window's logic: every line shown goes through ShowChatLine, which
// colours it for the view and plays the sound of a chat phrase.
#pragma once

#include <QString>

#include "frontend/chat/chat_rules.h"
#include "frontend/view/frontend_view.h"

class ChatDisplay {
public:
    ChatDisplay(FrontendView& view, EffectPlayer playEffect)
        : view_(view), playEffect_(std::move(playEffect)) {}

    void ShowChatLine(const QString& line);
    // A report of this machine's own (FormatSystemLine); it plays nothing.
    void ShowSystemLine(const QString& line) { view_.AppendChatLine(FormatSystemLine(line)); }
    void Clear() { view_.ClearChat(); }

    // The "Efeitos do chat" option: phrases and received shouts make sounds.
    void SetChatEffects(bool on) { chatEffects_ = on; }
    bool ChatEffects() const { return chatEffects_; }

    // A sound that plays only when chat effects are on.
    void PlayChatEffect(int effect);
    // A sound that plays whatever the chat-effects option says.
    void PlayEffect(int effect) { playEffect_(effect); }

private:
    FrontendView& view_;
    EffectPlayer playEffect_;
    bool chatEffects_ = true;
};
