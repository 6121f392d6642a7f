#include "frontend/ui/nickname_validator.h"

#include "frontend/core/login_fields.h"

QValidator::State NicknameValidator::validate(QString& input, int& position) const {
    const QString kept = AcceptNicknameEdit(field_.text(), input);
    if (kept != input) {
        position = std::min<int>(position - int(input.size() - kept.size()), int(kept.size()));
        position = std::max(position, 0);
        input = kept;
    }
    return Acceptable;
}
