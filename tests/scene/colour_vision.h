// How a colour looks to the three common kinds of colour blindness, and how
// far apart two colours look: sRGB pixels are simulated on linear RGB with
// the Machado, Oliveira and Fernandes (2009) matrices at full severity and
// compared as ΔE 1976 in CIELAB (D65).
#pragma once

#include <array>
#include <cstdint>

enum class Vision { kNormal, kProtanopia, kDeuteranopia, kTritanopia };
constexpr std::array<Vision, 4> kAllVisions = {Vision::kNormal, Vision::kProtanopia,
                                               Vision::kDeuteranopia, Vision::kTritanopia};
const char* VisionName(Vision vision);

struct Rgb {
    double r = 0, g = 0, b = 0;  // sRGB, 0..255
};

// The pixel as the vision sees it, back in sRGB (clamped to 0..255).
Rgb Simulate(const Rgb& colour, Vision vision);
// The ΔE 1976 between two sRGB colours as the vision sees them.
double DeltaE(const Rgb& a, const Rgb& b, Vision vision);

inline Rgb FromArgb(uint32_t argb) {
    return {double(argb >> 16 & 0xFF), double(argb >> 8 & 0xFF), double(argb & 0xFF)};
}
uint32_t ToArgb(const Rgb& colour);
