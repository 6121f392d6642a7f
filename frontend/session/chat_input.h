// Enter in the chat line: a chat line goes to everybody, a "/" line is a
// command. The caller clears the field afterwards in every case.
#pragma once

#include <QString>

#include "frontend/chat/chat_display.h"
#include "frontend/session/online_game.h"

class ChatInput {
public:
    ChatInput(OnlineGame& game, ChatDisplay& chat) : game_(game), chat_(chat) {}
    void Enter(const QString& field);

private:
    void RunCommand(const ChatCommand& command);

    OnlineGame& game_;
    ChatDisplay& chat_;
};
