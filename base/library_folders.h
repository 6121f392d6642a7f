// Where the library reads its package and writes the files it makes.
//
// Run from a build folder, everything stays in the working folder, as the
// game has always kept it: dados.vpf, debug.log, ringdisk.dat and the
// position dumps. Installed - the library in the install's private library
// folder (<prefix>/lib/ringdisk) and the package in <prefix>/share/ringdisk -
// it reads the package from the install and writes only into the player's
// own folders, by the XDG base directory rules: the best plays under
// $XDG_DATA_HOME/ringdisk, the log and the dumps under
// $XDG_STATE_HOME/ringdisk. Nothing is ever written into the install.
//
// The file names are the callers'; this header only says in which folder.
#pragma once

#include <functional>
#include <optional>
#include <string>

// The value of an environment variable, or null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

enum class PlayerFolder {
    kData,   // $XDG_DATA_HOME, else ~/.local/share: the best plays
    kState,  // $XDG_STATE_HOME, else ~/.local/state: the log and the dumps
};

struct LibraryFolders {
    // The folder holding the package; "" is the working folder.
    std::string package;
    // The folders the player's files go to; "" is the working folder.
    // nullopt when there is none (installed, and no absolute HOME or XDG
    // value names one): nothing of that kind is written then.
    std::optional<std::string> data, state;
};

// The game's folder inside the player's XDG folder of that kind. A variable
// counts only when it holds an absolute path (the XDG rules ignore empty and
// relative values); otherwise the default below an absolute $HOME applies.
// nullopt when neither gives an absolute path.
std::optional<std::string> XdgGameFolder(PlayerFolder kind, const EnvironmentLookup& environment);

// The folders of a library loaded from libraryFile: installed when that file
// lies in an install's library folder beside the install's package,
// otherwise everything in the working folder.
LibraryFolders FoldersFor(const std::string& libraryFile, const EnvironmentLookup& environment);

// This process's folders, decided once, from the file the library was
// loaded from and the process's environment.
const LibraryFolders& Folders();

// Creates folder and any missing parents, readable by their owner only;
// true when it exists as a folder afterwards, otherwise false with the
// reason in error.
bool MakePlayerFolder(const std::string& folder, std::string& error);

// The path of name in the package's folder.
std::string PackagePath(const char* name);

// The path of name in the player's folder of that kind, for reading:
// nothing is created; nullopt when there is no such folder.
std::optional<std::string> PlayerFilePath(PlayerFolder kind, const char* name);

// The same for writing: the folder is created when missing. nullopt when
// there is no folder or it cannot be created, with the reason in the log
// (on stderr while the log is not open): nothing is written elsewhere.
std::optional<std::string> PlayerFileForWriting(PlayerFolder kind, const char* name);
