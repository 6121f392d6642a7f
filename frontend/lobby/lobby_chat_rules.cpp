#include "frontend/lobby/lobby_chat_rules.h"

#include <QList>

#include "frontend/lobby/element_attributes.h"

namespace lobby {

ChatRefusal CheckChatLine(const QString& line) {
    if (line.trimmed().isEmpty()) return ChatRefusal::Empty;
    if (line.toUcs4().size() > kMaxChatChars) return ChatRefusal::TooLong;
    if (!ReadPlainText(line.toStdString(), kMaxChatChars)) return ChatRefusal::ControlCharacters;
    return ChatRefusal::None;
}

std::optional<QString> ReadChatLine(const std::string& utf8) {
    std::optional<QString> text = ReadPlainText(utf8, kMaxChatChars);
    if (text && text->trimmed().isEmpty()) return std::nullopt;
    return text;
}

QString DescribeChatRefusal(ChatRefusal refusal) {
    switch (refusal) {
    case ChatRefusal::None: return {};
    case ChatRefusal::Empty: return QStringLiteral("the line is empty");
    case ChatRefusal::TooLong:
        return QStringLiteral("the line is longer than %1 characters").arg(kMaxChatChars);
    case ChatRefusal::ControlCharacters: return QStringLiteral("the line holds control characters");
    case ChatRefusal::TooFast:
        return QStringLiteral("more than %1 lines in %2 seconds")
            .arg(kChatBurstLines)
            .arg(kChatBurstWindowMs / 1000);
    case ChatRefusal::NotSignedIn: return QStringLiteral("not in the lobby");
    }
    return {};
}

bool ChatRate::Allow(int64_t nowMs) {
    while (!sent_.empty() && nowMs - sent_.front() >= kChatBurstWindowMs) sent_.pop_front();
    if (static_cast<int>(sent_.size()) >= kChatBurstLines) return false;
    sent_.push_back(nowMs);
    return true;
}

}  // namespace lobby
