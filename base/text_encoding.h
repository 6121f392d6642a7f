// Every byte the game writes for the outside world (the log, package names,
// the records file, the wire, the bitmap font's character codes) is
// single-byte Windows-1252 text, while our sources are UTF-8. This is the one
// place where that conversion happens.
#pragma once

#include <string>
#include <string_view>

// Converts UTF-8 text to Windows-1252. Characters that Windows-1252 cannot
// hold become '?'. Bytes that do not form valid UTF-8 are taken to be
// Windows-1252 already (a name read from a package, say) and are copied as
// they stand, so converting converted text changes nothing.
std::string ToWindows1252(std::string_view utf8);

// The Unicode character that Windows-1252 byte c stands for, or 0 for the
// five bytes the code page leaves undefined.
char32_t FromWindows1252(unsigned char c);
