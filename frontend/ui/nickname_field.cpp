#include "frontend/ui/nickname_field.h"

#include <algorithm>
#include <memory>

#include "frontend/chat/login_fields.h"

void ApplyNicknameRule(QLineEdit& field) {
    auto before = std::make_shared<QString>(field.text());
    // An edit is reported before the change of text, so `before` still holds
    // the text the player edited.
    QObject::connect(&field, &QLineEdit::textEdited, &field, [&field, before](const QString& typed) {
        const QString kept = AcceptNicknameEdit(*before, typed);
        if (kept == typed) return;
        const int cursor = field.cursorPosition() - int(typed.size() - kept.size());
        field.setText(kept);
        field.setCursorPosition(std::clamp(cursor, 0, int(kept.size())));
    });
    QObject::connect(&field, &QLineEdit::textChanged, &field,
                     [&field, before] { *before = field.text(); });
}
