#include "frontend/net/join_address.h"

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

}  // namespace

std::optional<QString> NormalizeJoinAddress(const QString& typed) {
    QString a = typed.trimmed();
    if (a.startsWith(u'[') && a.endsWith(u']')) a = a.mid(1, a.size() - 2);
    QHostAddress literal;
    if (literal.setAddress(a)) {
        // A scope ("fe80::1%eth0") is kept: a link-local address needs it.
        return literal.protocol() == QAbstractSocket::IPv4Protocol ||
                       literal.protocol() == QAbstractSocket::IPv6Protocol
                   ? std::optional<QString>(a)
                   : std::nullopt;
    }
    if (IsHostName(a)) return a;
    return std::nullopt;
}
