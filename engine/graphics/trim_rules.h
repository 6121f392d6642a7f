// What a quad may leave out under the device's current states. A fragment
// of alpha 0 changes nothing when the alpha test drops it, or when it is
// blended by its own alpha and writes neither depth nor stencil; the
// stages decide whether the texture's alpha, the vertex colour's alpha, or
// both, force such a 0; and the filter decides how far from a sampling
// point texels still count.
#pragma once

namespace gfx {
class Device;
}

struct TrimRules {
    bool clearTexelsDrawNothing = false;  // fully transparent texels
    bool clearColorDrawsNothing = false;  // a vertex colour of alpha 0
    bool anisotropic = false;             // stage 0 filters along a footprint
};

TrimRules CurrentTrimRules(const gfx::Device& device);
