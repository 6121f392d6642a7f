// The settings file through one run of the program.
//
// The window restores once, after its forms exist and before it first shows;
// on every later activation it asks again, and the file is read again only
// when it changed on disk since it was last read or written, so a hand edit
// takes effect while nothing the player chose in the meantime is reverted.
// At close it saves: the forms, unscrambled, and the menus' options, over
// whatever else the file holds, in one replacement of the file. That is the
// saveSettings step of FrontendCore::Close, after the library is finalised
// and the chat cleared.
#pragma once

#include <QSlider>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "frontend/library/game_library.h"
#include "frontend/settings/game_options.h"
#include "frontend/settings/lobby_settings.h"
#include "frontend/settings/settings_file.h"
#include "frontend/ui/form_walker.h"

// The file's name; its folder is the working folder when run from a build and
// the player's configuration folder when installed (LocateSettingsFile).
inline constexpr char kSettingsFileName[] = "ringdisk.ini";
// What the window shows when SaveAtClose fails; English only, like every
// message of the close.
inline constexpr char kSaveFailedMessage[] = "Failed to save configurations.";

struct SettingsBindings {
    // main, conectarf, criarf, mousesen, about: the order they were created.
    std::vector<QWidget*> forms;
    // Controls whose value is never kept: the chat input.
    std::vector<const QWidget*> notKept;
    // The mouse dialog's track bar, handed to the library after each restore.
    QSlider* mouseSensitivity = nullptr;
    // The options as the menus show them now: what a missing key keeps and
    // what a save writes.
    std::function<GameOptions()> currentOptions;
    // Checks the menu items and sets the frame loop's render divider for
    // restored options; the library has already been told.
    // Both functions are required.
    std::function<void(const GameOptions&)> showOptions;
    // The lobby's server and "friends only", kept beside the options in the
    // same way; both or neither.
    std::function<LobbySettings()> currentLobby;
    std::function<void(const LobbySettings&)> showLobby;
};

class SettingsSession {
public:
    SettingsSession(QString path, SettingsBindings bindings, LibraryOptions& library);

    void RestoreBeforeFirstShow();
    void OnActivation();
    // False when anything could not be saved: show kSaveFailedMessage.
    bool SaveAtClose();

private:
    void ReadAndApply(bool firstTime);
    void ApplyMouseSensitivity();

    QString path_;
    SettingsBindings bindings_;
    LibraryOptions& library_;
    FormWalker walker_;
    std::optional<FileStamp> lastSeen_;  // none before the first restore
};
