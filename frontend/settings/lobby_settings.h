// What the window keeps about the online lobby in the settings file's
// "Config" section: the lobby server's address as the player typed it, and
// whether a hosted game stays out of the lobby's list ("friends only").
// Both keys are newer than the file: at their defaults (no server, listed)
// they are left out, so that a file from before them is written back byte
// for byte and an older reader never meets them.
#pragma once

#include <QString>

#include "frontend/settings/ini_document.h"

struct LobbySettings {
    QString server;  // empty: none chosen yet, the first use asks
    bool friendsOnly = false;

    bool operator==(const LobbySettings&) const = default;
};

// The longest address kept; a longer value in the file is ignored, with a
// warning, as no host name is that long.
inline constexpr int kMaxLobbyServerChars = 255;

// A missing or unreadable key keeps what current holds.
LobbySettings ReadLobbySettings(const IniDocument& document, const LobbySettings& current);
bool WriteLobbySettings(IniDocument& document, const LobbySettings& settings);
