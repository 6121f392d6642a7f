// An element's attributes as plain text pairs: the form in which the lobby's
// payloads are written and read, apart from any XML library, so that the
// readers can be tested and fuzzed without a connection.
#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace lobby {

using ElementAttributes = std::map<std::string, std::string>;

// The whole decimal number in text, if it lies in [low, high]; no sign, no
// blanks, no leading zeros beyond a single "0", at most eighteen digits.
std::optional<int64_t> ReadBoundedNumber(const std::string& text, int64_t low, int64_t high);

// Text of 1..maxChars characters from valid UTF-8 without control characters
// (a name shown in a list or a chat line must not move the cursor or hide
// what follows it).
std::optional<QString> ReadPlainText(const std::string& utf8, int maxChars);

}  // namespace lobby
