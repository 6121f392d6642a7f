// The settings file on disk: read with a size limit, replaced in one step,
// and recognised again when nothing has changed it since.
//
// Reading never fails loudly: a missing file is normal on a first start, and
// a file that is not a regular file or cannot be read gives nothing, with a
// warning on stderr. Damaged content is kept (see IniDocument) and counted in
// a warning. Writing goes to a new file beside the old one that is renamed
// over it, so the old settings survive any failure; the file is readable by
// its owner only, since it holds passwords. An empty path names no file:
// nothing is read, and writing fails.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "frontend/settings/ini_document.h"

// No settings file is this big; beyond it the rest is ignored, so a hostile
// file cannot exhaust memory or stall the start.
constexpr qsizetype kSettingsFileReadLimit = 1024 * 1024;

// One version of a file on disk. Equal stamps: the file was not replaced or
// written since the first was taken.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const QString& path);

// nullopt when there is no regular file to read.
std::optional<IniDocument> ReadSettingsFile(const QString& path);

// False (with a warning on stderr) when any step fails; the file on disk is
// then the old one, or still absent.
bool WriteSettingsFile(const QString& path, const IniDocument& document);
