// Where the window program keeps its settings file.
//
// Run from a build folder it is in the working folder, as the game has
// always kept it. Installed - the program in the install's program folder
// (<prefix>/bin) beside the install's game data (<prefix>/share/ringdisk) -
// it is in the player's configuration folder by the XDG base directory
// rules: $XDG_CONFIG_HOME/ringdisk when that variable holds an absolute path
// (empty and relative values are ignored), else $HOME/.config/ringdisk.
// Nothing is ever written into the install.
#pragma once

#include <QProcessEnvironment>
#include <QString>

struct SettingsLocation {
    // The file to read and write; empty when there is none, and then
    // nothing is read and every save fails.
    QString path;
    // Why there is no file, for the player to read on stderr.
    QString refusal;
};

// The settings file of a program started from programFolder. When
// installed, the player's folder is created (readable by its owner only)
// if missing.
SettingsLocation LocateSettingsFile(const QString& programFolder,
                                    const QProcessEnvironment& environment,
                                    const QString& fileName);

// The folder for replays, beside the best plays: "replays" in the working
// folder when run from a build; installed, $XDG_DATA_HOME/ringdisk/replays
// (else $HOME/.local/share/ringdisk/replays). Empty, with the refusal, when
// there is none; the folder itself is made when the first replay is saved.
SettingsLocation LocateReplayFolder(const QString& programFolder,
                                    const QProcessEnvironment& environment);
