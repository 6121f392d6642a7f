// The joke names a new player starts with until he types his own. Some are
// longer than the ten characters typing allows; they are accepted as they are.
#pragma once

#include <QString>

constexpr int kDefaultNicknameCount = 120;

// index 0..kDefaultNicknameCount - 1
QString DefaultNickname(int index);
// A uniformly chosen entry.
QString RandomDefaultNickname();
