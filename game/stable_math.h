// Trigonometry for values that must agree between machines. The double
// routines of the C library are accurate to well under a single-precision
// step, so rounding their result to float gives the same value everywhere,
// which the float versions do not promise across library releases.
#pragma once

#include <cmath>

inline float StableCos(float a) {
    return static_cast<float>(std::cos(static_cast<double>(a)));
}
inline float StableSin(float a) {
    return static_cast<float>(std::sin(static_cast<double>(a)));
}
