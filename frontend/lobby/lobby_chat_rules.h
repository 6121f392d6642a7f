// What the lobby's chat lets through, both ways. The limits are those of the
// game's own chat window (a line of at most 100 characters, plain text,
// shown as typed); the lobby keeps its copy of the number here, in one
// place, because it is built apart from the game's front end. Lines are text
// only: the lobby neither sends nor reads any markup, and a line with
// control characters is refused whole rather than cleaned.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace lobby {

inline constexpr int kMaxChatChars = 100;
// At most this many own lines within the window: enough to talk, too few to
// flood a room that every player of the lobby reads.
inline constexpr int kChatBurstLines = 5;
inline constexpr int64_t kChatBurstWindowMs = 10000;

enum class ChatRefusal { None, Empty, TooLong, ControlCharacters, TooFast, NotSignedIn };

// Why an own line cannot be sent as it is, or None; the rate is checked apart.
ChatRefusal CheckChatLine(const QString& line);
// A received line's text, or nothing when it breaks the rules above (it is
// then dropped, not cut, so nobody's line is shown changed).
std::optional<QString> ReadChatLine(const std::string& utf8);

// English words for a refusal, for the log and the chat's own system line.
QString DescribeChatRefusal(ChatRefusal refusal);

// Counts own lines against the burst limit; the clock is the caller's, in ms.
class ChatRate {
public:
    bool Allow(int64_t nowMs);

private:
    std::deque<int64_t> sent_;
};

}  // namespace lobby
