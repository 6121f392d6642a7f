#include "frontend/chat/login_fields.h"

#include "frontend/chat/chat_rules.h"
#include "frontend/wire/wire_text.h"

namespace {

QString KeepOnly(const QString& text, bool (*allowed)(QChar)) {
    QString out;
    for (QChar c : text) {
        if (allowed(c)) out.append(c);
    }
    return out;
}

}  // namespace

QString AcceptNicknameEdit(const QString& before, const QString& after) {
    const QString kept = KeepOnly(after, IsNicknameCharAllowed);
    if (kept.size() > kMaxNicknameChars && kept.size() > before.size()) return before;
    return kept;
}

QString RestoredNickname(const QString& stored) {
    return KeepOnly(stored, IsNicknameCharAllowed).left(kMaxRestoredNicknameChars);
}

QString FilterPassword(const QString& typed) {
    return KeepOnly(typed, IsWireChar).left(kMaxPasswordChars);
}
