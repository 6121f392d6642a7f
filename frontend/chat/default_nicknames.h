// The joke names a new player starts with until he types his own. Each is one
// a player could type into the nickname field (kMaxNicknameChars at most), so
// a player who edits his default can always type it back.
#pragma once

#include <QString>

constexpr int kDefaultNicknameCount = 120;

// index 0..kDefaultNicknameCount - 1
QString DefaultNickname(int index);
// A uniformly chosen entry.
QString RandomDefaultNickname();
