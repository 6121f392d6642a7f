// The device interface the engine draws through, shaped like a Direct3D 8
// device running the fixed-function pipeline, and the system object that
// creates devices. Two backends implement it: OpenGL (real drawing on an X11
// window) and recording (no drawing; keeps what was asked, for tests).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_texture.h"
#include "platform/gfx/gfx_types.h"

namespace gfx {

// Vertices and indices kept by the device for repeated drawing, as a
// mesh's managed vertex and index buffers are. They belong to the device
// that made them.
class MeshBuffers : public TrackedObject {
public:
    virtual ~MeshBuffers() = default;
    uint64_t deviceSerial = 0;
};

class Device : public TrackedObject {
public:
    Device();
    virtual ~Device() = default;

    // Different for every device made in this process.
    uint64_t serial() const { return serial_; }

#define GFX_DEVICE_CALL(result, name, parameters, qualifiers) \
    virtual result name parameters qualifiers = 0;
#include "platform/gfx/gfx_device_calls.h"
#undef GFX_DEVICE_CALL

private:
    uint64_t serial_;
};

class System : public TrackedObject {
public:
    virtual ~System() = default;

    // The desktop's colour format (X8R8G8B8 or R5G6B5).
    virtual Format DesktopFormat() = 0;
    // Whether a back buffer of this format can have this depth format.
    virtual bool CheckDepthStencil(Format backBuffer, Format depthStencil) = 0;
    virtual Result CreateDevice(const PresentParameters& parameters, VertexProcessing processing,
                                std::unique_ptr<Device>& device) = 0;
    // Sizes the window so its drawing area is width x height; full screen
    // puts it at the top-left corner, centre places it mid-screen.
    virtual void FitWindow(WindowHandle window, uint32_t width, uint32_t height, bool fullScreen,
                           bool centre) = 0;
};

// The real system: OpenGL through EGL on the X display.
std::unique_ptr<System> CreateOpenGLSystem();

}  // namespace gfx
