// A new size for the back buffer of the running device. The device is kept:
// textures, meshes and fonts stay where they are, only the presentation
// parameters change, which is what a reset does.
#include <cstdint>

#include "base/debug_log.h"
#include "engine/graphics/vex_direct3d.h"

namespace {
// The viewport rectangles are signed 16-bit.
constexpr uint16_t kLargestSide = INT16_MAX;
}  // namespace

bool VEX_Direct3D::Resize(uint16_t width, uint16_t height) {
    if (!device_) {
        Log().WriteWarning("Não há Direct3D para redimensionar para <%dx%d>.", width, height);
        return false;
    }
    if (width == width_ && height == height_) return true;
    gfx::PresentParameters next = parameters_;
    next.width = width;
    next.height = height;
    const bool fits = width >= 1 && height >= 1 && width <= kLargestSide && height <= kLargestSide;
    if (!fits || device_->Reset(next) != gfx::Result::Ok) {
        Log().WriteWarning("O Direct3D não pôde ser redimensionado para <%dx%d>; continua em <%dx%d>.",
                           width, height, width_, height_);
        return false;
    }
    parameters_ = next;
    width_ = width;
    height_ = height;
    SetVirtualSize(width, height);
    ApplyDefaultStates();
    return true;
}
