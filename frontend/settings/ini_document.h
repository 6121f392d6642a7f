// A Windows-style INI file held as its lines, so that whatever the program
// does not touch (other sections, other keys, comments, damaged lines) is
// written back exactly as it was read.
//
// Everything here is bytes: names and values are Windows-1252 text (or the
// scrambler's output), converted by the caller. Reading rules, chosen so that
// scrambled names and values survive:
//   - lines end at LF; one CR just before the LF belongs to the line end;
//   - a line whose first non-blank byte is '[' and that holds a ']' opens a
//     section named by the bytes between the '[' and the LAST ']';
//   - any other line with an '=' is an entry: the key before the first '=',
//     the value after it;
//   - names and values lose leading and trailing spaces and tabs, nothing else;
//   - section and key names compare ignoring case; the first section and the
//     first key of a name count.
// Lines are written back with CR LF, as Windows writes them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

class IniDocument {
public:
    // The fuzzing entry point: any bytes give a document, never a failure.
    static IniDocument Parse(QByteArrayView bytes);
    QByteArray Serialize() const;

    std::optional<QByteArray> Value(QByteArrayView section, QByteArrayView key) const;

    // Writes key=value into the section, replacing the key's value where it
    // stands, else adding the key after the section's last line, else adding
    // the section at the end of the file. Refuses (false, nothing changed)
    // anything that would not read back as written: a section name with a
    // line break, a key with a line break or '=', a value with a line break.
    bool SetValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    void RemoveKey(QByteArrayView section, QByteArrayView key);
    // Every section of the name, with all its lines.
    void RemoveSection(QByteArrayView section);

    // Lines that are neither blank, nor a section, nor an entry.
    int DamagedLineCount() const;

private:
    enum class LineKind { Other, Section, Entry };
    struct Line {
        QByteArray text;  // without its line end
        LineKind kind = LineKind::Other;
        QString foldedName;  // section name or key, for comparing
        qsizetype valueStart = 0;
        qsizetype valueLength = 0;
    };
    static Line ReadLine(QByteArray text);
    static QString Fold(QByteArrayView name);

    qsizetype FindSection(const QString& foldedName) const;
    // The index just past the section's last line.
    qsizetype SectionEnd(qsizetype section) const;
    qsizetype FindKey(qsizetype section, const QString& foldedKey) const;
    // Index just past the section's last line that is not blank.
    qsizetype InsertionPoint(qsizetype section) const;

    std::vector<Line> lines_;
};

// A decimal integer, with an optional minus sign, and nothing else; nullopt when the
// text is not one or does not fit.
std::optional<int> ParseIniInteger(QByteArrayView text);
