// The OpenGL device: Direct3D 8's fixed-function pipeline mapped onto an
// OpenGL compatibility context. Every convention difference is settled here
// and only here (indexed at the top of gl_device_impl.h).
#pragma once

#include <memory>

#include "platform/gfx/gfx_device.h"

namespace gfx {

struct GlContext;

// The context must be current. Null when the context lacks what the
// mapping needs.
std::unique_ptr<Device> CreateGlDevice(std::shared_ptr<GlContext> context,
                                       const PresentParameters& parameters);

}  // namespace gfx
