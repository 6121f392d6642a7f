// A named asset's bytes in a buffer the caller owns: the entry of the
// current package when one is set (a closed package answers nothing and
// does not fall back to loose files), else the loose file of that name.
// What is missing is reported by the package's or the file check's own
// warning.
#pragma once

#include <cstdint>

#include "base/memory_tracker.h"

// The number of bytes read into out, 0 on failure (out then stays empty).
uint32_t ReadAssetBytes(const char* name, TrackedBytes& out);
