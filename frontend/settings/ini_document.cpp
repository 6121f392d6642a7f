#include "frontend/settings/ini_document.h"

#include <charconv>

#include "frontend/wire/wire_text.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Only spaces and tabs: a CR or NUL left by the scrambler is part of the text.
QByteArrayView TrimBlanks(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.sliced(begin, end - begin);
}

bool HoldsLineBreak(QByteArrayView text) {
    return text.contains('\r') || text.contains('\n');
}

// A name survives a write and a read when reading would find it unchanged.
bool IsWritableName(QByteArrayView name) {
    return !name.isEmpty() && TrimBlanks(name).size() == name.size() && !HoldsLineBreak(name);
}

}  // namespace

QString IniDocument::Fold(QByteArrayView name) {
    return FromWireText(name.toByteArray()).toCaseFolded();
}

IniDocument::Line IniDocument::ReadLine(QByteArray text) {
    Line line;
    const QByteArrayView view(text);
    const QByteArrayView content = TrimBlanks(view);
    const qsizetype closing = content.lastIndexOf(QByteArrayView("]"));
    if (content.startsWith('[') && closing > 0) {
        line.kind = LineKind::Section;
        line.foldedName = Fold(TrimBlanks(content.sliced(1, closing - 1)));
    } else if (const qsizetype equals = view.indexOf('='); equals >= 0) {
        line.kind = LineKind::Entry;
        line.foldedName = Fold(TrimBlanks(view.first(equals)));
        const QByteArrayView rest = view.sliced(equals + 1);
        const QByteArrayView value = TrimBlanks(rest);
        line.valueStart = equals + 1 + (value.data() - rest.data());
        line.valueLength = value.size();
    }
    line.text = std::move(text);
    return line;
}

IniDocument IniDocument::Parse(QByteArrayView bytes) {
    IniDocument document;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            document.lines_.push_back(ReadLine(bytes.sliced(start).toByteArray()));
            break;
        }
        qsizetype end = newline;
        if (end > start && bytes[end - 1] == '\r') --end;
        document.lines_.push_back(ReadLine(bytes.sliced(start, end - start).toByteArray()));
        start = newline + 1;
    }
    return document;
}

QByteArray IniDocument::Serialize() const {
    QByteArray out;
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

qsizetype IniDocument::FindSection(const QString& foldedName) const {
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        if (lines_[i].kind == LineKind::Section && lines_[i].foldedName == foldedName) return i;
    }
    return -1;
}

qsizetype IniDocument::SectionEnd(qsizetype section) const {
    qsizetype i = section + 1;
    while (i < qsizetype(lines_.size()) && lines_[i].kind != LineKind::Section) ++i;
    return i;
}

qsizetype IniDocument::FindKey(qsizetype section, const QString& foldedKey) const {
    if (section < 0) return -1;
    const qsizetype end = SectionEnd(section);
    for (qsizetype i = section + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Entry && lines_[i].foldedName == foldedKey) return i;
    }
    return -1;
}

qsizetype IniDocument::InsertionPoint(qsizetype section) const {
    qsizetype end = SectionEnd(section);
    while (end > section + 1 && TrimBlanks(lines_[end - 1].text).isEmpty()) --end;
    return end;
}

std::optional<QByteArray> IniDocument::Value(QByteArrayView section, QByteArrayView key) const {
    const qsizetype at = FindKey(FindSection(Fold(section)), Fold(key));
    if (at < 0) return std::nullopt;
    const Line& line = lines_[at];
    return line.text.mid(line.valueStart, line.valueLength);
}

bool IniDocument::SetValue(QByteArrayView section, QByteArrayView key, QByteArrayView value) {
    if (!IsWritableName(section) || !IsWritableName(key) || key.contains('=') ||
        key.startsWith('[') || HoldsLineBreak(value)) {
        return false;
    }
    QByteArray text = key.toByteArray() + '=' + value.toByteArray();
    qsizetype at = FindSection(Fold(section));
    if (at < 0) {
        // A new section is set apart from what comes before it by a blank line.
        if (!lines_.empty()) lines_.push_back(ReadLine({}));
        lines_.push_back(ReadLine('[' + section.toByteArray() + ']'));
        lines_.push_back(ReadLine(std::move(text)));
        return true;
    }
    const qsizetype existing = FindKey(at, Fold(key));
    if (existing >= 0) {
        // The key keeps the spelling the file gave it.
        const Line& old = lines_[existing];
        const qsizetype equals = old.text.indexOf('=');
        lines_[existing] = ReadLine(old.text.first(equals + 1) + value.toByteArray());
        return true;
    }
    lines_.insert(lines_.begin() + InsertionPoint(at), ReadLine(std::move(text)));
    return true;
}

void IniDocument::RemoveKey(QByteArrayView section, QByteArrayView key) {
    const qsizetype at = FindKey(FindSection(Fold(section)), Fold(key));
    if (at >= 0) lines_.erase(lines_.begin() + at);
}

void IniDocument::RemoveSection(QByteArrayView section) {
    const QString folded = Fold(section);
    for (qsizetype at = FindSection(folded); at >= 0; at = FindSection(folded)) {
        lines_.erase(lines_.begin() + at, lines_.begin() + SectionEnd(at));
    }
}

int IniDocument::DamagedLineCount() const {
    int count = 0;
    for (const Line& line : lines_) {
        if (line.kind == LineKind::Other && !TrimBlanks(line.text).isEmpty()) ++count;
    }
    return count;
}

std::optional<int> ParseIniInteger(QByteArrayView text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    int value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}
