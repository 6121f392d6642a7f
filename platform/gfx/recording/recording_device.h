// The recording backend: a device that draws nothing and keeps everything it
// was asked, so tests can check what the engine sends without a display.
// Its system can refuse depth formats or vertex-processing modes, and its
// device can be lost and made resettable, so every fallback path runs.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/gfx/gfx_device.h"

namespace gfx {

enum class Call : uint8_t {
    TestCooperativeLevel,
    Reset,
    BeginScene,
    EndScene,
    Present,
    Clear,
    SetRenderState,
    SetTextureStageState,
    SetTransform,
    SetViewport,
    SetMaterial,
    SetLight,
    LightEnable,
    SetClipPlane,
    SetTexture,
    CreateTexture,
    Draw,
    CreateMeshBuffers,
};

// A texture that counts how often each change reached "the GPU". It does
// not point back at its device, so it may outlive it.
class RecordingTexture final : public Texture {
public:
    bool Create(uint32_t width, uint32_t height, uint32_t levels, Format format) {
        return Allocate(width, height, levels, format);
    }
    uint32_t uploads() const { return uploads_; }

private:
    void Upload(uint32_t) override { ++uploads_; }
    uint32_t uploads_ = 0;
};

struct RecordedCall {
    Call call;
    uint32_t a = 0, b = 0, c = 0;
};

// One vertex of a draw from memory, read out of its vertex format: what
// the format lacks stays at these defaults (no diffuse colour is white).
struct RecordedVertex {
    float x = 0, y = 0, z = 0, rhw = 0;
    uint32_t diffuse = 0xFFFFFFFF;
    float u = 0, v = 0;
};

struct RecordedDraw {
    PrimitiveType type;
    uint32_t vertexCount, primitiveCount, fvf;
    Material material;       // as set when the draw was issued
    const Texture* texture;  // stage 0
    Matrix world;
    // Draws from memory only: the vertices the primitives use, and the
    // indices of an indexed draw.
    std::vector<RecordedVertex> vertices;
    std::vector<uint32_t> indices;
};

// What the recording system accepts and how its devices behave.
struct RecordingConfig {
    Format desktopFormat = kFormatX8R8G8B8;
    std::set<uint32_t> depthFormats{kFormatD32, kFormatD24X8, kFormatD16, kFormatD24S8,
                                    kFormatD15S1};
    bool refuseMixedProcessing = false;
    bool refuseSoftwareProcessing = false;
    Caps caps{Caps::kZBias, 64u << 20, 2048, 1};
};

class RecordingDevice final : public Device {
public:
    explicit RecordingDevice(const RecordingConfig& config, const PresentParameters& parameters);

    // Loses the device; it stays lost (DeviceLost) until made resettable.
    void Lose() { lost_ = true, resettable_ = false; }
    void MakeResettable(bool resetSucceeds) { resettable_ = true, resetSucceeds_ = resetSucceeds; }

#define GFX_DEVICE_CALL(result, name, parameters, qualifiers) \
    result name parameters qualifiers override;
#include "platform/gfx/gfx_device_calls.h"
#undef GFX_DEVICE_CALL

    // What was asked.
    const PresentParameters& parameters() const { return parameters_; }
    size_t CountOf(Call call) const;
    const std::vector<RecordedCall>& calls() const { return calls_; }
    void ForgetCalls() { calls_.clear(); }
    uint32_t renderState(RenderState state) const { return renderStates_[state]; }
    uint32_t stageState(uint32_t stage, StageState state) const {
        return stageStates_[stage][state];
    }
    const Matrix& transform(TransformState state) const;
    const Viewport& viewport() const { return viewport_; }
    const Material& material() const { return material_; }
    const Texture* texture(uint32_t stage) const { return textures_[stage]; }
    // The light last sent at an index, and whether it is switched on.
    const Light* light(uint32_t index) const;
    bool lightEnabled(uint32_t index) const;
    const std::vector<RecordedDraw>& draws() const { return draws_; }

private:
    void Record(Call call, uint32_t a = 0, uint32_t b = 0, uint32_t c = 0) {
        calls_.push_back({call, a, b, c});
    }
    void SetDefaults();

    PresentParameters parameters_;
    Caps caps_;
    bool lost_ = false, resettable_ = false, resetSucceeds_ = true;
    std::vector<RecordedCall> calls_;
    std::array<uint32_t, kRenderStateCount> renderStates_{};
    std::array<std::array<uint32_t, kStageStateCount>, kStageCount> stageStates_{};
    Matrix view_{1}, projection_{1}, world_{1};
    Viewport viewport_;
    Material material_;
    std::array<Texture*, kStageCount> textures_{};
    std::map<uint32_t, Light> lights_;
    std::map<uint32_t, bool> lightEnabled_;
    std::vector<RecordedDraw> draws_;
};

class RecordingSystem final : public System {
public:
    explicit RecordingSystem(RecordingConfig config = {}) : config_(std::move(config)) {}

    Format DesktopFormat() override { return config_.desktopFormat; }
    bool CheckDepthStencil(Format backBuffer, Format depthStencil) override;
    Result CreateDevice(const PresentParameters& parameters, VertexProcessing processing,
                        std::unique_ptr<Device>& device) override;
    void FitWindow(WindowHandle, uint32_t width, uint32_t height, bool, bool) override {
        fittedWidth_ = width, fittedHeight_ = height;
    }

    // The last window fit asked for (0 x 0 when none).
    uint32_t fittedWidth() const { return fittedWidth_; }
    uint32_t fittedHeight() const { return fittedHeight_; }
    // The depth formats asked about, in order.
    const std::vector<uint32_t>& depthChecks() const { return depthChecks_; }
    // The vertex-processing modes tried, in order.
    const std::vector<VertexProcessing>& creations() const { return creations_; }

private:
    RecordingConfig config_;
    std::vector<uint32_t> depthChecks_;
    std::vector<VertexProcessing> creations_;
    uint32_t fittedWidth_ = 0, fittedHeight_ = 0;
};

}  // namespace gfx
