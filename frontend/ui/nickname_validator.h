// The nickname field's typing rule (see AcceptNicknameEdit): a validator sees
// the text before and after each change.
#pragma once

#include <QLineEdit>
#include <QValidator>

class NicknameValidator : public QValidator {
public:
    explicit NicknameValidator(QLineEdit& field) : QValidator(&field), field_(field) {}
    State validate(QString& input, int& position) const override;

private:
    QLineEdit& field_;
};
