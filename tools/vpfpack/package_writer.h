// Writes and lists package files for the build. The reader in the engine
// and this writer share the format's description, so whatever is written
// here opens there.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct PackageSource {
    std::string name;  // stored exactly as given
    std::vector<uint8_t> bytes;
};

// Lays out a package of the given version (100 to 103). In 102 and 103 an
// entry is stored compressed only when that makes it smaller; in 101 and 103
// every entry's stored bytes are scrambled. False with a reason in error
// when the entries do not fit the format.
bool BuildPackage(int version, const std::vector<PackageSource>& entries, std::string& out,
                  std::string& error);

// BuildPackage written to path. The file is written beside its final name
// and moved there, so a failed write never leaves half a package.
bool WritePackage(const std::string& path, int version, const std::vector<PackageSource>& entries,
                  std::string& error);

// The package's table as the engine lists it in its log, one line at a time.
// False with a reason when the package does not open.
bool ListPackage(const std::string& path, const std::function<void(const char* line)>& writeLine,
                 std::string& error);
