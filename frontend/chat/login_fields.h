// What the nickname and password fields accept, so that "NICK:" + name + ","
// + password always fits one frame and reaches the peers unchanged.
#pragma once

#include <QString>

// The longest default nickname earlier versions gave, which their settings
// files may still hold; a restored name is cut to it.
constexpr int kMaxRestoredNicknameChars = 12;
constexpr int kMaxPasswordChars = 100;

// The nickname field after the player changed `before` into `after`: the
// characters a name may not hold are dropped, and a change that would leave
// more than ten characters is refused, while shortening is always allowed,
// so a longer name restored from an older settings file stays whole and can
// still be edited.
QString AcceptNicknameEdit(const QString& before, const QString& after);
// A nickname read back from the settings file, which a hand may have edited.
QString RestoredNickname(const QString& stored);
// Windows-1252 characters only, at most kMaxPasswordChars.
QString FilterPassword(const QString& typed);
