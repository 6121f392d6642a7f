#include "platform/gfx/recording/recording_device.h"

#include <algorithm>
#include <cstring>

namespace gfx {

RecordingDevice::RecordingDevice(const RecordingConfig& config, const PresentParameters& parameters)
    : parameters_(parameters), caps_(config.caps) {
    SetDefaults();
}

void RecordingDevice::SetDefaults() {
    renderStates_.fill(0);
    renderStates_[kRsZEnable] = kZbTrue;
    renderStates_[kRsZWriteEnable] = 1;
    renderStates_[kRsCullMode] = kCullCCW;
    renderStates_[kRsLighting] = 1;
    renderStates_[kRsFillMode] = kFillSolid;
    renderStates_[kRsShadeMode] = kShadeGouraud;
    for (auto& stage : stageStates_) stage.fill(0);
    view_ = projection_ = world_ = Matrix(1.0f);
    textures_.fill(nullptr);
    lights_.clear();
    lightEnabled_.clear();
    viewport_ = {0, 0, parameters_.width, parameters_.height, 0, 1};
}

Result RecordingDevice::TestCooperativeLevel() {
    Record(Call::TestCooperativeLevel);
    if (!lost_) return Result::Ok;
    return resettable_ ? Result::DeviceNotReset : Result::DeviceLost;
}

Result RecordingDevice::Reset(const PresentParameters& parameters) {
    Record(Call::Reset);
    if (lost_ && !resettable_) return Result::DeviceLost;
    if (!resetSucceeds_) return Result::InvalidCall;
    lost_ = false;
    parameters_ = parameters;
    SetDefaults();
    return Result::Ok;
}

Result RecordingDevice::BeginScene() {
    Record(Call::BeginScene);
    return lost_ ? Result::DeviceLost : Result::Ok;
}
Result RecordingDevice::EndScene() {
    Record(Call::EndScene);
    return Result::Ok;
}
Result RecordingDevice::Present() {
    Record(Call::Present);
    return lost_ ? Result::DeviceLost : Result::Ok;
}
Result RecordingDevice::Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) {
    Record(Call::Clear, flags, argb, stencil);
    (void)z;
    return Result::Ok;
}

void RecordingDevice::SetRenderState(RenderState state, uint32_t value) {
    Record(Call::SetRenderState, state, value);
    if (state < kRenderStateCount) renderStates_[state] = value;
}

void RecordingDevice::SetTextureStageState(uint32_t stage, StageState state, uint32_t value) {
    Record(Call::SetTextureStageState, stage, state, value);
    if (stage < kStageCount && state < kStageStateCount) stageStates_[stage][state] = value;
}

void RecordingDevice::SetTransform(TransformState state, const Matrix& matrix) {
    Record(Call::SetTransform, state);
    if (state == kTsView) view_ = matrix;
    if (state == kTsProjection) projection_ = matrix;
    if (state == kTsWorld) world_ = matrix;
}

const Matrix& RecordingDevice::transform(TransformState state) const {
    return state == kTsView ? view_ : state == kTsProjection ? projection_ : world_;
}

void RecordingDevice::SetViewport(const Viewport& viewport) {
    Record(Call::SetViewport, viewport.width, viewport.height);
    viewport_ = viewport;
}

void RecordingDevice::SetMaterial(const Material& material) {
    Record(Call::SetMaterial);
    material_ = material;
}

void RecordingDevice::SetLight(uint32_t index, const Light& light) {
    Record(Call::SetLight, index);
    lights_[index] = light;
}

void RecordingDevice::LightEnable(uint32_t index, bool enable) {
    Record(Call::LightEnable, index, enable);
    lightEnabled_[index] = enable;
}

const Light* RecordingDevice::light(uint32_t index) const {
    auto found = lights_.find(index);
    return found == lights_.end() ? nullptr : &found->second;
}

bool RecordingDevice::lightEnabled(uint32_t index) const {
    auto found = lightEnabled_.find(index);
    return found != lightEnabled_.end() && found->second;
}

void RecordingDevice::SetClipPlane(uint32_t index, const float*) {
    Record(Call::SetClipPlane, index);
}

void RecordingDevice::SetTexture(uint32_t stage, Texture* texture) {
    Record(Call::SetTexture, stage, texture != nullptr);
    if (stage < kStageCount) textures_[stage] = texture;
}

const Caps& RecordingDevice::GetCaps() const {
    return caps_;
}

uint32_t RecordingDevice::GetRenderState(RenderState state) const {
    return state < kRenderStateCount ? renderStates_[state] : 0;
}

uint32_t RecordingDevice::GetTextureStageState(uint32_t stage, StageState state) const {
    return stage < kStageCount && state < kStageStateCount ? stageStates_[stage][state] : 0;
}

Texture* RecordingDevice::GetTexture(uint32_t stage) const {
    return stage < kStageCount ? textures_[stage] : nullptr;
}

Result RecordingDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels,
                                      Format format, std::unique_ptr<Texture>& texture) {
    Record(Call::CreateTexture, width, height, format);
    if (width > caps_.maxTextureSize || height > caps_.maxTextureSize) return Result::InvalidCall;
    auto created = std::make_unique<RecordingTexture>();
    if (!created->Create(width, height, levels, format)) return Result::InvalidCall;
    texture = std::move(created);
    return Result::Ok;
}

namespace {

std::vector<RecordedVertex> ReadVertices(const void* vertices, uint32_t count, uint32_t fvf) {
    if (!vertices) return {};
    std::vector<RecordedVertex> read(count);
    const uint32_t stride = VertexStride(fvf);
    const auto* bytes = static_cast<const uint8_t*>(vertices);
    auto take = [](const uint8_t*& from, void* to, size_t size) {
        std::memcpy(to, from, size);
        from += size;
    };
    for (uint32_t i = 0; i < count; ++i) {
        RecordedVertex& vertex = read[i];
        const uint8_t* field = bytes + size_t(i) * stride;
        if (fvf & (kFvfXyz | kFvfXyzRhw)) {
            take(field, &vertex.x, 4), take(field, &vertex.y, 4), take(field, &vertex.z, 4);
            if (fvf & kFvfXyzRhw) take(field, &vertex.rhw, 4);
        }
        if (fvf & kFvfNormal) field += 12;
        if (fvf & kFvfDiffuse) take(field, &vertex.diffuse, 4);
        if (fvf & kFvfSpecular) field += 4;
        if (fvf & (kFvfTex1 | kFvfTex2)) take(field, &vertex.u, 4), take(field, &vertex.v, 4);
    }
    return read;
}

}  // namespace

void RecordingDevice::DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount,
                                      const void* vertices, uint32_t fvf) {
    Record(Call::Draw, type, primitiveCount);
    draws_.push_back({type,
                      0,
                      primitiveCount,
                      fvf,
                      material_,
                      textures_[0],
                      world_,
                      ReadVertices(vertices, VerticesOf(type, primitiveCount), fvf),
                      {}});
}

void RecordingDevice::DrawIndexedPrimitiveUP(PrimitiveType type, uint32_t vertexCount,
                                             uint32_t primitiveCount, const uint32_t* indices,
                                             const void* vertices, uint32_t fvf) {
    Record(Call::Draw, type, primitiveCount);
    std::vector<uint32_t> used;
    if (indices) used.assign(indices, indices + VerticesOf(type, primitiveCount));
    draws_.push_back({type, vertexCount, primitiveCount, fvf, material_, textures_[0], world_,
                      ReadVertices(vertices, vertexCount, fvf), std::move(used)});
}

namespace {

struct RecordingMeshBuffers final : MeshBuffers {
    uint32_t vertexCount = 0, fvf = 0;
};

}  // namespace

std::unique_ptr<MeshBuffers> RecordingDevice::CreateMeshBuffers(const void*, uint32_t vertexCount,
                                                                uint32_t fvf, const uint32_t*,
                                                                uint32_t indexCount) {
    Record(Call::CreateMeshBuffers, vertexCount, indexCount);
    auto buffers = std::make_unique<RecordingMeshBuffers>();
    buffers->vertexCount = vertexCount;
    buffers->fvf = fvf;
    return buffers;
}

void RecordingDevice::DrawIndexedPrimitive(const MeshBuffers& buffers, uint32_t startIndex,
                                           uint32_t primitiveCount) {
    const auto& kept = static_cast<const RecordingMeshBuffers&>(buffers);
    Record(Call::Draw, kPtTriangleList, primitiveCount, startIndex);
    draws_.push_back({kPtTriangleList,
                      kept.vertexCount,
                      primitiveCount,
                      kept.fvf,
                      material_,
                      textures_[0],
                      world_,
                      {},
                      {}});
}

// Nothing is drawn, so there is no picture to give.
bool RecordingDevice::ReadBackBuffer(std::vector<uint32_t>&, uint32_t&, uint32_t&) {
    return false;
}

size_t RecordingDevice::CountOf(Call call) const {
    return static_cast<size_t>(std::count_if(
        calls_.begin(), calls_.end(), [call](const RecordedCall& c) { return c.call == call; }));
}

bool RecordingSystem::CheckDepthStencil(Format, Format depthStencil) {
    depthChecks_.push_back(depthStencil);
    return config_.depthFormats.count(depthStencil) != 0;
}

Result RecordingSystem::CreateDevice(const PresentParameters& parameters,
                                     VertexProcessing processing, std::unique_ptr<Device>& device) {
    creations_.push_back(processing);
    if (processing == kMixedVertexProcessing && config_.refuseMixedProcessing)
        return Result::NotAvailable;
    if (processing == kSoftwareVertexProcessing && config_.refuseSoftwareProcessing)
        return Result::NotAvailable;
    device = std::make_unique<RecordingDevice>(config_, parameters);
    return Result::Ok;
}

}  // namespace gfx
