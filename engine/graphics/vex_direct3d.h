// VEX_Direct3D: the engine's one device. It creates the device on the game
// window (choosing a depth format the display offers, falling back from
// mixed to software vertex processing), sets the engine's default states,
// runs the frame (lost-device check, begin, end, present) with its
// frame-rate statistics and per-frame counters, owns the projection, the
// world matrix and the viewport with its virtual 2D size, and picks points
// under the mouse. Every other graphics module reaches the device here and
// refuses to load anything while there is none.
#pragma once

#include <cstdint>
#include <memory>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_device.h"
#include "platform/gfx/gfx_math.h"

struct FrameCounter {
    uint32_t current = 0;  // this frame
    uint32_t maximum = 0;  // over all frames
};

struct FrameStats {
    double frequency = 0;  // ticks per second of the clock
    double frameStart = 0, frameEnd = 0, frameTime = 0, totalTime = 0, secondAccumulator = 0;
    uint16_t framesThisSecond = 0;
    uint16_t fps = 0, averageFps = 0, minimumFps = 999, maximumFps = 0;
    FrameCounter triangles, renderCalls, textureChanges, renderStateChanges, stageStateChanges;
};

struct CapabilityWord {
    uint32_t textureMemoryMB : 12 = 0;
    uint32_t stencil : 1 = 0;
    uint32_t wBufferSupported : 1 = 0;
    uint32_t depth16 : 1 = 0;
    uint32_t zBiasSupported : 1 = 0;
    uint32_t wBufferRequested : 1 = 0;
};

struct ViewRect {
    int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Told each time a device was created or reset, just before the default
// states go on it: whatever another module kept of the previous device
// (texture bindings, the view rectangle) is stale. The module list is the
// listener, so the device module never reaches the modules built on it.
class DeviceListener {
public:
    virtual void OnDeviceReady(int16_t virtualWidth, int16_t virtualHeight) = 0;

protected:
    ~DeviceListener() = default;
};

// How Start makes the device. The defaults are the game's: a window of the
// desktop's colour depth with a stencil buffer, no vertical sync.
struct DeviceOptions {
    gfx::WindowHandle window = 0;
    void* instance = nullptr;
    // A side below 1 pixel gives 640 x 480.
    uint16_t width = 0, height = 0;
    // 32 and 16 name their back-buffer formats; anything else takes the
    // desktop's.
    uint8_t bpp = 0;
    bool fullScreen = false;
    bool wantStencil = true;
    bool verticalSync = false;
    bool force16BitDepth = false;
    // Sizes the window to the device first.
    bool fitWindow = false;
    // Explains a failed start in a message box as well as in the log.
    bool showErrorBoxes = false;
};

class VEX_Direct3D : public TrackedObject {
public:
    // Seconds since an arbitrary start.
    using Clock = double (*)();

    VEX_Direct3D();
    ~VEX_Direct3D();
    VEX_Direct3D(const VEX_Direct3D&) = delete;
    VEX_Direct3D& operator=(const VEX_Direct3D&) = delete;

    // The system the next Start creates its device with, replacing the
    // current device; without one Start uses OpenGL.
    void UseSystem(std::unique_ptr<gfx::System> system);
    void UseClock(Clock clock) { clock_ = clock; }
    void SetDeviceListener(DeviceListener* listener) { listener_ = listener; }

    bool Start(const DeviceOptions& options);
    // Gives the back buffer a new size without making a new device: it is
    // reset with the new size (every state back at the engine's defaults,
    // as after a lost device), the virtual 2D size follows, and the
    // projection's aspect and the picking use the new size. A size the
    // device cannot take, or a reset that fails, leaves the old size in
    // force and says so in the log.
    bool Resize(uint16_t width, uint16_t height);
    bool BeginFrame();
    void EndScene();
    void PresentFrame();
    void ClearTargets(uint32_t argb, bool clearColor, bool clearDepth, bool clearStencil);

    void SetProjection(float nearPlane, float farPlane, float fieldOfView);
    void SetProjectionMatrix(const gfx::Matrix& matrix);
    void SetVirtualSize(uint16_t virtualWidth, uint16_t virtualHeight);
    bool SetViewportRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2);

    void ResetWorld() { world_ = gfx::Matrix(1.0f); }
    void ApplyWorld();
    void SetWorldMatrix(const gfx::Matrix& matrix);
    void SetWorldPosition(float x, float y, float z);
    void SetWorldPosition(const gfx::Vector3& position) {
        SetWorldPosition(position.x, position.y, position.z);
    }
    void SetWorldTransform(const gfx::Vector3& position, const gfx::Vector3& angles,
                           const gfx::Vector3& scale, uint8_t order);
    void SetWorldTransformQ(const gfx::Vector3& position, const gfx::Quaternion& rotation,
                            const gfx::Vector3& scale, uint8_t order);
    // world = world x the factor; not sent to the device.
    void MultiplyTranslation(float x, float y, float z);
    void MultiplyRotation(float x, float y, float z);
    void MultiplyQuaternion(const gfx::Quaternion& rotation);
    void MultiplyScale(float x, float y, float z);

    void SetRenderStateCounted(gfx::RenderState state, uint32_t value);
    void SetStageStateCounted(uint32_t stage, gfx::StageState state, uint32_t value);
    void SetWireframe(bool on);
    void SetLighting(bool on);
    void SetAmbient(uint32_t argb);
    void SetFogEnable(bool on);
    void SetCullMode(uint32_t cull);
    void SetShadeMode(uint32_t shade);
    // Point sampling without mip filtering.
    void SetPointFilter(uint32_t stage);
    // One filter for magnification, minification and mip levels.
    void SetStageFilter(uint32_t filter, uint32_t stage);
    void RequestWBuffer(bool on) { capabilities_.wBufferRequested = on; }
    void SetDepthTest(bool on);
    void SetDepthWrite(bool on);
    void SetZBias(uint8_t bias);

    void ComputePickRay(uint16_t screenX, uint16_t screenY, const gfx::Matrix& view);
    bool IntersectTriangle(const gfx::Vector3& a, const gfx::Vector3& b, const gfx::Vector3& c,
                           float& weightC, float& weightB, float& distance) const;
    bool MapOntoQuad(const gfx::Vector3& c0, const gfx::Vector3& c1, const gfx::Vector3& c2,
                     const gfx::Vector3& c3, float& x, float& z, float& distance) const;

    static void MakeMaterial(gfx::Material& material, float diffuseR, float diffuseG,
                             float diffuseB, float ambientR, float ambientG, float ambientB,
                             float specularR, float specularG, float specularB, float emissiveR,
                             float emissiveG, float emissiveB, float power);
    static const char* FormatName(uint32_t format);
    static uint8_t FormatBits(uint32_t format);

    void ReportStats();
    void AddTriangles(uint32_t count) { stats_.triangles.current += count; }
    void AddRenderCalls(uint32_t count) { stats_.renderCalls.current += count; }
    void AddTextureChanges(uint32_t count) { stats_.textureChanges.current += count; }

    gfx::Device* device() const { return device_.get(); }
    uint16_t fps() const { return stats_.fps; }
    double frameTime() const { return stats_.frameTime; }
    uint32_t trianglesThisFrame() const { return stats_.triangles.current; }
    const FrameStats& stats() const { return stats_; }
    const CapabilityWord& capabilities() const { return capabilities_; }
    uint16_t width() const { return width_; }
    uint16_t height() const { return height_; }
    // The 2D coordinate space the engine draws texts and pictures in.
    uint16_t virtualWidth() const { return virtualWidth_; }
    uint16_t virtualHeight() const { return virtualHeight_; }
    uint8_t bpp() const { return bpp_; }
    float ratioX() const { return ratioX_; }
    float ratioY() const { return ratioY_; }
    float nearPlane() const { return nearPlane_; }
    float farPlane() const { return farPlane_; }
    // The viewport in real pixels and in virtual units.
    const ViewRect& viewportRect() const { return viewportRect_; }
    const ViewRect& virtualViewportRect() const { return virtualViewportRect_; }
    const gfx::Viewport& viewport() const { return viewport_; }
    const gfx::Matrix& projection() const { return projection_; }
    const gfx::Matrix& world() const { return world_; }
    const gfx::Vector3& pickDirection() const { return pickDirection_; }
    const gfx::Vector3& pickOrigin() const { return pickOrigin_; }
    gfx::Format depthFormat() const { return parameters_.depthStencilFormat; }
    gfx::Format backBufferFormat() const { return parameters_.backBufferFormat; }

private:
    bool ChooseDepthFormat(bool wantStencil, bool force16BitDepth);
    void ApplyDefaultStates();
    void ComposeWorld(const gfx::Matrix& scale, const gfx::Matrix& rotation,
                      const gfx::Matrix& translation, uint8_t order);
    void ShowErrorBox(const char* reason) const;
    double Now() const { return clock_(); }

    std::unique_ptr<gfx::System> system_;
    gfx::PresentParameters parameters_;
    gfx::Format desktopFormat_ = gfx::kFormatUnknown;
    gfx::Caps caps_;
    gfx::WindowHandle window_ = 0;
    void* instance_ = nullptr;
    bool fullScreen_ = false;
    bool showErrorBoxes_ = false;
    uint16_t width_ = 0, height_ = 0, virtualWidth_ = 0, virtualHeight_ = 0;
    uint8_t bpp_ = 0;
    float nearPlane_ = 1.0f, farPlane_ = 1000.0f;
    ViewRect viewportRect_, virtualViewportRect_;
    gfx::Viewport viewport_;
    float ratioX_ = 1.0f, ratioY_ = 1.0f;
    FrameStats stats_;
    gfx::Vector3 pickDirection_{0, 0, 0}, pickOrigin_{0, 0, 0};
    CapabilityWord capabilities_;
    gfx::Matrix world_{1.0f}, projection_{1.0f}, identity_{1.0f}, scratch_{1.0f};
    bool softwareVertexProcessing_ = false;
    Clock clock_;
    DeviceListener* listener_ = nullptr;
    std::unique_ptr<gfx::Device> device_;
};
