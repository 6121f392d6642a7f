#include "frontend/chat/chat_display.h"

void ChatDisplay::ShowChatLine(const QString& line) {
    view_.AppendChatLine(FormatChatLine(line));
    const int effect = PhraseEffect(SpokenText(line));
    if (effect != kNoEffect) PlayChatEffect(effect);
}

void ChatDisplay::PlayChatEffect(int effect) {
    if (chatEffects_) playEffect_(effect);
}
