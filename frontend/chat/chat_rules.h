// The rules of the chat that need no window and no network: how a shown line
// is coloured, which phrases play a sound, which commands exist and which
// characters a nickname may hold.
#pragma once

#include <QString>
#include <functional>

#include "frontend/view/frontend_view.h"
#include "vexlib/sound_effects.h"

constexpr int kMaxChatChars = 100;
constexpr int kMaxNicknameChars = 10;
constexpr int kNoEffect = -1;

// A player's line ("name: text") shows the name and colon in bold blue and the
// text in black; a line without a colon (announcements, reports) in bold red.
ChatLine FormatChatLine(const QString& line);
// A line of this machine's own, shown whole in bold red even when it holds a
// colon (an address and its port).
ChatLine FormatSystemLine(const QString& line);

// The text after "name: " that the phrase table is matched against; empty for
// a line without a colon.
QString SpokenText(const QString& line);

// The effect number of a whole-text phrase (letter case ignored), or kNoEffect.
int PhraseEffect(const QString& text);

enum class ChatCommandKind { None, Shout, VerifySync, Version, Dump, Clear, Kick };

struct ChatCommand {
    ChatCommandKind kind = ChatCommandKind::None;
    QString argument;  // the name for Kick
};

// What the rest of a "/" line (without the "/") asks for.
ChatCommand ParseChatCommand(const QString& rest);

// ":" and "," separate fields next to names on the wire; character 255 is
// refused as well, and so is any character that Windows-1252 cannot carry
// (it would reach the peers as "?", and two names could collide).
bool IsNicknameCharAllowed(QChar c);
// What typing leaves of a nickname: allowed characters, at most ten.
QString FilterNickname(const QString& typed);
// A name the host can seat: not empty and free of the separators. Its length
// is not limited, since a default nickname may be longer than typing allows.
bool IsNicknameUsable(const QString& name);

using EffectPlayer = std::function<void(int effect)>;
