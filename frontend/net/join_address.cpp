#include "frontend/net/join_address.h"

#include <arpa/inet.h>

#include <QHostAddress>

namespace {

constexpr int kMaxNameLength = 253;
constexpr int kMaxLabelLength = 63;

bool IsNameCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'-';
}

// A host name as the resolver takes it: dot-separated labels of letters,
// digits and inner hyphens. A name whose last label is all digits would be
// a mistyped IPv4 address ("1.2.3.999"), which no resolver should be asked
// to look up as a name.
bool IsHostName(const QString& name) {
    if (name.isEmpty() || name.size() > kMaxNameLength) return false;
    const QStringList labels = name.split(u'.');
    for (const QString& label : labels) {
        if (label.isEmpty() || label.size() > kMaxLabelLength) return false;
        if (label.front() == u'-' || label.back() == u'-') return false;
        for (QChar c : label)
            if (!IsNameCharacter(c)) return false;
    }
    bool lastAllDigits = true;
    for (QChar c : labels.back()) lastAllDigits = lastAllDigits && c.isDigit();
    return !lastAllDigits;
}

// Whether the system's resolver would take the text for an IPv4 address in
// one of its old numeric forms ("127.1", "1.2.3", "0x7f.1", "017.0.0.1",
// "2130706433"): asked for it as a name, it answers with an address the
// player never typed.
bool ResolverReadsAsIpv4(const QString& text) {
    in_addr ignored{};
    return inet_aton(text.toLatin1().constData(), &ignored) != 0;
}

// Four decimal numbers of 0 to 255, without leading zeros (which the old
// forms read as octal), separated by single dots.
bool IsDottedQuad(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4) return false;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3) return false;
        for (QChar c : part)
            if (c < u'0' || c > u'9') return false;
        if (part.size() > 1 && part.front() == u'0') return false;
        if (part.toInt() > 255) return false;
    }
    return true;
}

}  // namespace

std::optional<QString> NormalizeJoinAddress(const QString& typed) {
    QString a = typed.trimmed();
    if (a.startsWith(u'[') && a.endsWith(u']')) a = a.mid(1, a.size() - 2);
    // Only the complete dotted quad of the numeric IPv4 forms is an address.
    if (ResolverReadsAsIpv4(a)) return IsDottedQuad(a) ? std::optional<QString>(a) : std::nullopt;
    QHostAddress literal;
    if (literal.setAddress(a)) {
        if (literal.protocol() == QAbstractSocket::IPv4Protocol && !IsDottedQuad(a))
            return std::nullopt;
        // A scope ("fe80::1%eth0") is kept: a link-local address needs it.
        return literal.protocol() == QAbstractSocket::IPv4Protocol ||
                       literal.protocol() == QAbstractSocket::IPv6Protocol
                   ? std::optional<QString>(a)
                   : std::nullopt;
    }
    if (IsHostName(a)) return a;
    return std::nullopt;
}
