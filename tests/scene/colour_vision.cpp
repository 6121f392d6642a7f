#include "tests/scene/colour_vision.h"

#include <algorithm>
#include <cmath>

namespace {

using Matrix3 = std::array<std::array<double, 3>, 3>;

constexpr Matrix3 kIdentity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr Matrix3 kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                  {0.114503, 0.786281, 0.099216},
                                  {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix3 kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                    {0.280085, 0.672501, 0.047413},
                                    {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix3 kTritanopia = {{{1.255528, -0.076749, -0.178779},
                                  {-0.078411, 0.930809, 0.147602},
                                  {0.004733, 0.691367, 0.303900}}};
constexpr Matrix3 kLinearToXyz = {{{0.4124564, 0.3575761, 0.1804375},
                                   {0.2126729, 0.7151522, 0.0721750},
                                   {0.0193339, 0.1191920, 0.9503041}}};
constexpr std::array<double, 3> kD65White = {0.95047, 1.0, 1.08883};

using Vector3 = std::array<double, 3>;

Vector3 Apply(const Matrix3& m, const Vector3& v) {
    Vector3 out{};
    for (int i = 0; i < 3; ++i)
        out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return out;
}

const Matrix3& MatrixOf(Vision vision) {
    switch (vision) {
        case Vision::kProtanopia:
            return kProtanopia;
        case Vision::kDeuteranopia:
            return kDeuteranopia;
        case Vision::kTritanopia:
            return kTritanopia;
        case Vision::kNormal:
            break;
    }
    return kIdentity;
}

double ToLinear(double channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double FromLinear(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    return 255.0 * (c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055);
}

// The colour as the vision sees it, in linear RGB held to the gamut.
Vector3 SeenLinear(const Rgb& colour, Vision vision) {
    Vector3 seen = Apply(MatrixOf(vision), {ToLinear(colour.r), ToLinear(colour.g), ToLinear(colour.b)});
    for (double& c : seen) c = std::clamp(c, 0.0, 1.0);
    return seen;
}

Vector3 Lab(const Vector3& linear) {
    const Vector3 xyz = Apply(kLinearToXyz, linear);
    const auto f = [](double t) {
        constexpr double kDelta = 6.0 / 29.0;
        return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
    };
    const double fx = f(xyz[0] / kD65White[0]), fy = f(xyz[1] / kD65White[1]),
                 fz = f(xyz[2] / kD65White[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

}  // namespace

const char* VisionName(Vision vision) {
    switch (vision) {
        case Vision::kNormal:
            return "normal";
        case Vision::kProtanopia:
            return "protanopia";
        case Vision::kDeuteranopia:
            return "deuteranopia";
        case Vision::kTritanopia:
            return "tritanopia";
    }
    return "?";
}

Rgb Simulate(const Rgb& colour, Vision vision) {
    const Vector3 seen = SeenLinear(colour, vision);
    return {FromLinear(seen[0]), FromLinear(seen[1]), FromLinear(seen[2])};
}

double DeltaE(const Rgb& a, const Rgb& b, Vision vision) {
    const Vector3 la = Lab(SeenLinear(a, vision)), lb = Lab(SeenLinear(b, vision));
    return std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
}

uint32_t ToArgb(const Rgb& colour) {
    const auto byte = [](double c) { return uint32_t(std::lround(std::clamp(c, 0.0, 255.0))); };
    return 0xFF000000u | byte(colour.r) << 16 | byte(colour.g) << 8 | byte(colour.b);
}
