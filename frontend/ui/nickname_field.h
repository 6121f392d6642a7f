// The nickname field's typing rule (see AcceptNicknameEdit), which needs the
// text before each edit as well as after it.
#pragma once

#include <QLineEdit>

void ApplyNicknameRule(QLineEdit& field);
