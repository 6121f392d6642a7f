// The package the build produced, opened once with the engine's reader and
// shared by every test of this folder; entries come back as plain bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Opens dados.vpf from the build output on first use. Empty names the
// reason it could not.
const std::string& BuiltPackageError();

// The entry's unpacked bytes; empty when the package has no such entry.
std::vector<uint8_t> PackageEntryBytes(const char* name);

// Every entry name in table order.
std::vector<std::string> PackageEntryNames();
