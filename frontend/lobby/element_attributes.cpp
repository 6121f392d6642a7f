#include "frontend/lobby/element_attributes.h"

#include <QList>
#include <QStringDecoder>

namespace lobby {

std::optional<int64_t> ReadBoundedNumber(const std::string& text, int64_t low, int64_t high) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    if (text.size() > 1 && text[0] == '0') return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<QString> ReadPlainText(const std::string& utf8, int maxChars) {
    // Four bytes at most per character: longer text cannot fit, and is not
    // decoded at all.
    if (utf8.empty() || utf8.size() > static_cast<size_t>(maxChars) * 4) return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
    if (decoder.hasError()) return std::nullopt;
    const QList<uint> characters = text.toUcs4();
    if (characters.size() > maxChars) return std::nullopt;
    for (const uint c : characters)
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029) return std::nullopt;
    return text;
}

}  // namespace lobby
