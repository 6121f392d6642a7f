// The section of the settings file that holds the player's options, and its
// key names in the file's own text encoding.
#pragma once

#include <QByteArray>
#include <QString>

#include "frontend/wire/wire_text.h"

inline constexpr char kConfigSection[] = "Config";

inline QByteArray ConfigKey(const char16_t* name) {
    return ToWireText(QString::fromUtf16(name));
}
