#include "frontend/wire/wire_text.h"

#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. Unassigned bytes map
// to the C1 control with the same value, as Windows does.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeOne(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QByteArray ToWireText(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) out.append(EncodeOne(c.unicode()));
    return out;
}

QString FromWireText(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        out.append(QChar(u >= 0x80 && u < 0xA0 ? kHighControlRange[u - 0x80] : char16_t(u)));
    }
    return out;
}

bool IsWireChar(QChar c) {
    return c == u'?' || EncodeOne(c.unicode()) != '?';
}
