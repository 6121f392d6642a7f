#include "frontend/session/chat_input.h"

#include "frontend/wire/wire_text.h"

void ChatInput::Enter(const QString& field) {
    if (field.isEmpty() || !game_.IsOnline()) return;
    if (!field.startsWith(u'/')) {
        const QString prefix = game_.Nickname() + QStringLiteral(": ");
        game_.SendGameMessage(wire::kText + ToWireText(prefix + field.left(kMaxChatChars)));
        chat_.ShowChatLine(prefix + field);  // shown whole; only what is sent is cut
        return;
    }
    RunCommand(ParseChatCommand(field.mid(1)));
}

void ChatInput::RunCommand(const ChatCommand& command) {
    const bool host = game_.IsHost();
    switch (command.kind) {
        case ChatCommandKind::Shout:
            game_.SendGameMessage(wire::kShout);
            chat_.PlayEffect(kEffectShout);
            break;
        case ChatCommandKind::VerifySync:
            if (host) game_.VerifySync();
            break;
        case ChatCommandKind::Version:
            game_.SendGameMessage(wire::kVersionAsk);
            break;
        case ChatCommandKind::Dump:
            if (host) game_.DumpEveryTable();
            break;
        case ChatCommandKind::Clear:
            chat_.Clear();
            break;
        case ChatCommandKind::Kick:
            if (host) game_.Kick(command.argument);
            break;
        case ChatCommandKind::None:
            break;
    }
}
