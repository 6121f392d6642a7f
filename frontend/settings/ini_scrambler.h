// The settings file's optional scrambling: each byte of a Windows-1252 text
// is XORed with the next byte of a four-byte key, starting again after the
// fourth. It hides a password from a glance, nothing more. Applying it twice
// gives the text back; the result has the text's length, so an empty text
// stays empty. The result may hold any byte, '[', ']', '=', CR, LF and NUL
// included.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

QByteArray Scramble(QByteArrayView text);
