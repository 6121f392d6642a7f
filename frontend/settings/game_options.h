// The options of the main window's menus as one value, kept in the settings
// file's "Config" section. Reading a key that is missing or unreadable keeps
// what the menus show now; applying hands each option the library keeps to
// it, as choosing its menu item would.
#pragma once

#include "frontend/library/game_library.h"
#include "frontend/settings/ini_document.h"

// Stored as 0, 1 or 2.
enum class RefreshRate { Normal60 = 0, Medium30 = 1, Slow15 = 2 };

// The menus' first-start state: everything on, 60 frames per second.
struct GameOptions {
    bool specularLight = true;
    bool reflection = true;
    bool highQuality = true;
    RefreshRate refreshRate = RefreshRate::Normal60;
    bool soundEffects = true;
    bool music = true;
    bool chatEffects = true;
    bool orthogonalMode = true;  // a hidden menu item, only kept
    bool fullScreen = false;     // the main window over the whole screen
    DiscColours discColours = DiscColours::Classic;
    bool portMapping = true;  // a hosted game asks the router to forward its port

    bool operator==(const GameOptions&) const = default;
};

// The frame loop renders every first, second or fourth tick.
int RenderDividerFor(RefreshRate rate);

// The mouse dialog's track bar range. Zero would divide by zero in the aim.
constexpr int kMouseSensitivityMinimum = 25;
constexpr int kMouseSensitivityMaximum = 300;
int ClampMouseSensitivity(int sensitivity);

// A boolean is true for any non-zero integer; a refresh rate other than 0, 1
// or 2, or a disc look other than 0 or 1, changes nothing.
GameOptions ReadGameOptions(const IniDocument& document, const GameOptions& current);
bool WriteGameOptions(IniDocument& document, const GameOptions& options);

// Light, reflection, quality, sound effects, music and a disc look other
// than the classic one the library starts with; the refresh rate is the
// frame loop's (RenderDividerFor), the other two only menu checks.
void ApplyGameOptions(const GameOptions& options, LibraryOptions& library);
// Only those of them that differ from what the library was last given.
void ApplyGameOptionChanges(const GameOptions& given, const GameOptions& options,
                            LibraryOptions& library);
