// Fixed-point rounding that keeps every machine of a match on the same table.
// Values are pinned to multiples of 1/65536 (16.16 fixed point, truncated
// towards zero, saturating at +-32767) at fixed points of the physics and aim.
#pragma once

#include <cstdint>

inline float Quantize16(float v) {
    int32_t fixed;
    if (v > 32767.0f) {
        fixed = 2147483647;
    } else if (v < -32767.0f) {
        fixed = -2147483647;
    } else if (v == v) {
        fixed = static_cast<int32_t>(v * 65536.0f);  // exact scaling, then truncation
    } else {
        fixed = 0;  // NaN must never spread through a table
    }
    return static_cast<float>(fixed / 65536.0);
}
