#include "frontend/chat/chat_rules.h"

#include <algorithm>
#include <array>

#include "frontend/wire/wire_text.h"

namespace {

constexpr uint32_t kNameBlue = 0x0000FF;
constexpr uint32_t kSystemRed = 0xFF0000;
constexpr uint32_t kTextBlack = 0x000000;

struct Phrase {
    const char* text;  // UTF-8, lower case
    int effect;
};

constexpr std::array<Phrase, 26> kPhrases = {{
    {"hehe", kEffectGiggle},
    {"jeje", kEffectGiggle},
    {"hahaha", kEffectLaugh},
    {"lol", kEffectLaugh},
    {"jajaja", kEffectLaugh},
    {"vamos", kEffectComeOn},
    {"vai logo", kEffectComeOn},
    {"hurry", kEffectComeOn},
    {"hurry up", kEffectComeOn},
    {"go", kEffectComeOn},
    {"come on", kEffectComeOn},
    {"ops", kEffectOops},
    {"piece of cake", kEffectPieceOfCake},
    {"muito fácil", kEffectPieceOfCake},
    {"muito facil", kEffectPieceOfCake},
    {"legal", kEffectCool},
    {"cool", kEffectCool},
    {"hail to the king", kEffectHailToTheKing},
    {"shake it baby", kEffectShakeIt},
    {"let's rock", kEffectLetsRock},
    {"cara de bunda", kEffectFaceAss},
    {"ass face", kEffectFaceAss},
    {"face ass", kEffectFaceAss},
    {"morra", kEffectDie},
    {"die", kEffectDie},
    {"analfabeto", kEffectIlliterate},
}};

// Position of the first ':' counted from 1, or length + 1 without one.
qsizetype ColonPosition(const QString& line) {
    const qsizetype colon = line.indexOf(':');
    return colon < 0 ? line.size() + 1 : colon + 1;
}

}  // namespace

ChatLine FormatChatLine(const QString& line) {
    const qsizetype p = ColonPosition(line);
    const uint32_t headColour = p < line.size() ? kNameBlue : kSystemRed;
    ChatLine runs;
    runs.push_back({line.left(p), headColour, true});
    if (p < line.size()) runs.push_back({line.mid(p), kTextBlack, false});
    return runs;
}

ChatLine FormatSystemLine(const QString& line) {
    return {{line, kSystemRed, true}};
}

QString SpokenText(const QString& line) {
    const qsizetype p = ColonPosition(line);
    return p > line.size() ? QString() : line.mid(p + 1);
}

int PhraseEffect(const QString& text) {
    if (text.isEmpty()) return kNoEffect;
    const QString lower = text.toLower();
    for (const Phrase& phrase : kPhrases) {
        if (lower == QString::fromUtf8(phrase.text)) return phrase.effect;
    }
    return kNoEffect;
}

ChatCommand ParseChatCommand(const QString& rest) {
    const QString lower = rest.toLower();
    if (lower == u"praca" || lower == QString::fromUtf8("praça"))
        return {ChatCommandKind::Shout, {}};
    if (lower == u"vsync") return {ChatCommandKind::VerifySync, {}};
    if (lower == u"version") return {ChatCommandKind::Version, {}};
    if (lower == u"dump") return {ChatCommandKind::Dump, {}};
    if (lower == u"cls" || lower == u"clrscr" || lower == u"clear")
        return {ChatCommandKind::Clear, {}};
    if (lower.startsWith(u"kick ")) return {ChatCommandKind::Kick, rest.mid(5).trimmed()};
    return {};
}

bool IsNicknameCharAllowed(QChar c) {
    return c != u':' && c != u',' && c.unicode() != 0xFF && IsWireChar(c);
}

QString FilterNickname(const QString& typed) {
    QString out;
    for (QChar c : typed) {
        if (IsNicknameCharAllowed(c)) out.append(c);
    }
    return out.left(kMaxNicknameChars);
}

bool IsNicknameUsable(const QString& name) {
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), IsNicknameCharAllowed);
}
