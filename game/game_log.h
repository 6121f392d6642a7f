// Warnings of the game layer (damaged records, files that cannot be written).
// They go to the library's log once it exists; until then to standard error.
#pragma once

void LogGameWarning(const char* text);
