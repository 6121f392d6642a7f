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

    // Ok, or DeviceLost / DeviceNotReset while the device is lost.
    virtual Result TestCooperativeLevel() = 0;
    // Brings a lost device back; every state returns to its default.
    virtual Result Reset(const PresentParameters& parameters) = 0;
    virtual Result BeginScene() = 0;
    virtual Result EndScene() = 0;
    virtual Result Present() = 0;
    // Clears the current viewport's rectangle of the chosen buffers.
    virtual Result Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) = 0;

    virtual const Caps& GetCaps() const = 0;

    virtual void SetRenderState(RenderState state, uint32_t value) = 0;
    virtual void SetTextureStageState(uint32_t stage, StageState state, uint32_t value) = 0;
    virtual void SetTransform(TransformState state, const Matrix& matrix) = 0;
    virtual void SetViewport(const Viewport& viewport) = 0;
    virtual void SetMaterial(const Material& material) = 0;
    // Lights are in world space, as are clip planes (a, b, c, d with
    // a x + b y + c z + d >= 0 kept).
    virtual void SetLight(uint32_t index, const Light& light) = 0;
    virtual void LightEnable(uint32_t index, bool enable) = 0;
    virtual void SetClipPlane(uint32_t index, const float plane[4]) = 0;
    // Null unbinds. The device does not own the texture.
    virtual void SetTexture(uint32_t stage, Texture* texture) = 0;

    // The values last set, or the defaults after creation or a reset.
    virtual uint32_t GetRenderState(RenderState state) const = 0;
    virtual uint32_t GetTextureStageState(uint32_t stage, StageState state) const = 0;
    virtual Texture* GetTexture(uint32_t stage) const = 0;

    // A managed texture; levels 0 = full chain.
    virtual Result CreateTexture(uint32_t width, uint32_t height, uint32_t levels, Format format,
                                 std::unique_ptr<Texture>& texture) = 0;

    // Draws from memory; vertices laid out by the vertex format.
    virtual void DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                 uint32_t fvf) = 0;
    virtual void DrawIndexedPrimitiveUP(PrimitiveType type, uint32_t vertexCount,
                                        uint32_t primitiveCount, const uint32_t* indices,
                                        const void* vertices, uint32_t fvf) = 0;
    // Copies of vertices (laid out by the vertex format) and indices; null
    // when the device cannot keep them.
    virtual std::unique_ptr<MeshBuffers> CreateMeshBuffers(const void* vertices,
                                                           uint32_t vertexCount, uint32_t fvf,
                                                           const uint32_t* indices,
                                                           uint32_t indexCount) = 0;
    // Triangles of a list starting at an index of the buffers.
    virtual void DrawIndexedPrimitive(const MeshBuffers& buffers, uint32_t startIndex,
                                      uint32_t primitiveCount) = 0;

    // The back buffer as top-down rows of A8R8G8B8 (after EndScene, before
    // Present); false when the backend keeps no picture.
    virtual bool ReadBackBuffer(std::vector<uint32_t>& argb, uint32_t& width, uint32_t& height) = 0;

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
