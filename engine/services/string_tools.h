// Small string services every loader needs: lower-casing names, tracked
// copies, and the file-exists check that reports a missing file.
#pragma once

#include "base/memory_tracker.h"

class StringTools : public TrackedObject {
public:
    // A..Z become a..z in place; every other byte stays.
    static void ToLower(char* text);
    // A tracked copy, or null for null (or when the heap refuses).
    static TrackedChars Duplicate(const char* text);
    // True when the file opens for binary reading; otherwise writes the
    // log's file-not-found warning.
    static bool FileExists(const char* path);
};
