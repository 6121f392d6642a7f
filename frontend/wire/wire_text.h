// The one place where text changes encoding on its way to or from the wire.
// Peers speak single-byte Windows-1252; inside the program every string is a
// QString.
#pragma once

#include <QByteArray>
#include <QString>

QByteArray ToWireText(const QString& text);
QString FromWireText(const QByteArray& bytes);
// Whether the character has a byte of its own on the wire (it would
// otherwise travel as "?").
bool IsWireChar(QChar c);
