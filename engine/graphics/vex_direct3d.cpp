// The engine's device module, in the order of this file:
//   construction, and the system the device is made with (UseSystem)
//   Start: the device on the game window, its depth format, the default
//     states, and the log's report of what the device supports
//   the frame: lost-device check and reset, begin, end, present, clear,
//     and the frame-rate statistics kept while doing so
//   projection, virtual 2D size and viewport
//   the world matrix: set, composed in one of six orders, multiplied
//   render and texture-stage states, counted, with their shortcuts
//   materials, format names, the statistics report and the error box
// Picking the point under the mouse lives in vex_direct3d_picking.cpp, a
// new size for the back buffer in vex_direct3d_resize.cpp.
#include "engine/graphics/vex_direct3d.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "base/debug_log.h"
#include "platform/gfx/gfx_formats.h"
#include "platform/message_box.h"

using namespace gfx;

namespace {

constexpr float kDefaultFieldOfView = std::numbers::pi_v<float> / 4;

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int16_t ClampTo(int value, int high) {
    return static_cast<int16_t>(std::clamp(value, 0, high));
}

}  // namespace

VEX_Direct3D::VEX_Direct3D() : clock_(SteadySeconds) {
    Log().ModuleStarting("VEX_Direct3D");
    Log().ReportOk();
}

VEX_Direct3D::~VEX_Direct3D() {
    Log().ModuleFinishing("VEX_Direct3D");
    // The device goes before the system that made it: its context lives on
    // the system's display connection.
    device_.reset();
    system_.reset();
    Log().ReportOk();
}

void VEX_Direct3D::UseSystem(std::unique_ptr<System> system) {
    device_.reset();
    system_ = std::move(system);
}

bool VEX_Direct3D::Start(const DeviceOptions& options) {
    const bool sized = options.width >= 1 && options.height >= 1;
    const uint16_t width = sized ? options.width : 640, height = sized ? options.height : 480;
    const bool fullScreen = options.fullScreen, showErrorBoxes = options.showErrorBoxes;
    const uint8_t bpp = options.bpp;
    Log().ModuleStarting("Direct3D");
    window_ = options.window;
    instance_ = options.instance;
    fullScreen_ = fullScreen;
    showErrorBoxes_ = showErrorBoxes;
    width_ = width;
    height_ = height;
    bpp_ = bpp;
    nearPlane_ = 1.0f;
    farPlane_ = 1000.0f;
    SetVirtualSize(width, height);
    capabilities_ = {};
    device_.reset();

    if (!system_) system_ = CreateOpenGLSystem();
    if (!system_) {
        Log().ReportFailed();
        return false;
    }
    if (options.fitWindow) system_->FitWindow(window_, width, height, fullScreen, false);

    desktopFormat_ = system_->DesktopFormat();
    parameters_ = {};
    parameters_.window = window_;
    parameters_.windowed = !fullScreen;
    parameters_.width = width;
    parameters_.height = height;
    // 32 and 16 name their formats; anything else takes the desktop's.
    if (bpp == 32) {
        parameters_.backBufferFormat = kFormatX8R8G8B8;
    } else if (bpp == 16) {
        parameters_.backBufferFormat = kFormatR5G6B5;
    } else {
        parameters_.backBufferFormat = desktopFormat_;
        bpp_ = gfx::FormatBits(desktopFormat_);
    }
    parameters_.verticalSync = options.verticalSync;
    parameters_.autoDepthStencil = true;

    if (!ChooseDepthFormat(options.wantStencil, options.force16BitDepth)) {
        if (showErrorBoxes) ShowErrorBox("Não foi possível encontrar um formato compatível.");
        Log().WriteWarning("(não foi possível encontrar um formato compatível) ");
    }

    softwareVertexProcessing_ = false;
    if (system_->CreateDevice(parameters_, kMixedVertexProcessing, device_) != Result::Ok) {
        softwareVertexProcessing_ = true;
        if (system_->CreateDevice(parameters_, kSoftwareVertexProcessing, device_) != Result::Ok) {
            device_.reset();
            if (showErrorBoxes) ShowErrorBox("Não foi possível iniciar o Direct3D.");
            Log().ReportFailed();
            Log().WriteError(
                "Não foi possível iniciar o Direct3D sob estas configurações: width <%d>, height "
                "<%d>, bpp <%d>, "
                "full screen <%d>",
                width_, height_, bpp_, fullScreen_);
            return false;
        }
    }

    caps_ = device_->GetCaps();
    capabilities_.textureMemoryMB = (caps_.availableTextureMemory >> 20) & 0xFFF;
    capabilities_.wBufferSupported = (caps_.rasterCaps & Caps::kWBuffer) != 0;
    capabilities_.zBiasSupported = (caps_.rasterCaps & Caps::kZBias) != 0;
    capabilities_.depth16 = gfx::FormatBits(parameters_.depthStencilFormat) == 16;

    ApplyDefaultStates();
    Log().ReportOk();
    // "Direct3d" in lower case is how this line has always read: keep it byte for byte.
    Log().WriteLine("Direct3d iniciado com sucesso em <%dx%dx%dbpp>.", width_, height_, bpp_);
    Log().WriteLine(softwareVertexProcessing_ ? "Usando software vertex processing."
                                              : "Usando mixed vertex processing.");
    Log().WriteLine("Recursos suportados:");
    Log().WriteLine(" * Memória para texturas: %dMB ", int(capabilities_.textureMemoryMB));
    Log().WriteLine(" * BackBuffer...........: %s", FormatName(parameters_.backBufferFormat));
    Log().WriteLine(" * Depth................: %s", FormatName(parameters_.depthStencilFormat));
    Log().WriteLine(" * Stencil..............: %d", int(capabilities_.stencil));
    Log().WriteLine(" * WBuffer..............: %d", int(capabilities_.wBufferSupported));
    Log().WriteLine(" * ZBias................: %d", int(capabilities_.zBiasSupported));
    Log().WriteLine("%s", "");
    stats_.frequency = 1.0;  // the clock already counts seconds
    return true;
}

bool VEX_Direct3D::ChooseDepthFormat(bool wantStencil, bool force16BitDepth) {
    const bool deep = bpp_ == 32 && !force16BitDepth;
    capabilities_.stencil = wantStencil;
    static constexpr Format kDeep[] = {kFormatD32, kFormatD24X8, kFormatD16};
    static constexpr Format kShallow[] = {kFormatD16};
    static constexpr Format kDeepStencil[] = {kFormatD24S8, kFormatD24X4S4, kFormatD15S1};
    static constexpr Format kShallowStencil[] = {kFormatD15S1};
    auto tryFormats = [this](auto& formats) {
        for (Format format : formats) {
            if (system_->CheckDepthStencil(parameters_.backBufferFormat, format)) {
                parameters_.depthStencilFormat = format;
                return true;
            }
        }
        return false;
    };
    if (!wantStencil) return deep ? tryFormats(kDeep) : tryFormats(kShallow);
    if (deep ? tryFormats(kDeepStencil) : tryFormats(kShallowStencil)) return true;
    return ChooseDepthFormat(false, force16BitDepth);
}

void VEX_Direct3D::ApplyDefaultStates() {
    // A new or reset device holds no textures, whatever was bound before,
    // and starts with the whole virtual screen as its view.
    const int16_t width = static_cast<int16_t>(virtualWidth_);
    const int16_t height = static_cast<int16_t>(virtualHeight_);
    if (listener_)
        listener_->OnDeviceReady(width, height);
    else
        SetViewportRect(0, 0, width, height);
    SetProjection(nearPlane_, farPlane_, 0);
    ResetWorld();
    ApplyWorld();
    SetDepthTest(true);
    SetStageStateCounted(0, kTssColorArg1, kTaTexture);
    SetStageStateCounted(0, kTssColorArg2, kTaDiffuse);
    SetStageFilter(kTexfLinear, 0);
    SetStageStateCounted(0, kTssMaxMipLevel, 0);
    SetCullMode(kCullCCW);
    SetRenderStateCounted(kRsAlphaBlendEnable, 1);
    SetRenderStateCounted(kRsSrcBlend, kBlendSrcAlpha);
    SetRenderStateCounted(kRsDestBlend, kBlendInvSrcAlpha);
    SetStageStateCounted(0, kTssAlphaOp, kTopSelectArg1);
    SetAmbient(0);
    SetRenderStateCounted(kRsSpecularEnable, 1);
    SetRenderStateCounted(kRsNormalizeNormals, 1);
    SetShadeMode(kShadeGouraud);
}

bool VEX_Direct3D::BeginFrame() {
    if (!device_) return false;
    const Result level = device_->TestCooperativeLevel();
    if (level == Result::DeviceLost) return false;
    if (level == Result::DeviceNotReset) {
        if (device_->Reset(parameters_) == Result::Ok) {
            Log().WriteLine("O Direct3D foi recriado com sucesso.");
            ApplyDefaultStates();
        } else {
            Log().WriteError("O Direct3D não pôde ser recriado.");
        }
        return false;
    }
    if (device_->BeginScene() != Result::Ok) return false;
    stats_.frameStart = Now();
    for (FrameCounter* counter : {&stats_.triangles, &stats_.renderCalls, &stats_.textureChanges,
                                  &stats_.renderStateChanges, &stats_.stageStateChanges})
        counter->current = 0;
    return true;
}

void VEX_Direct3D::EndScene() {
    if (device_) device_->EndScene();
}

void VEX_Direct3D::PresentFrame() {
    if (!device_) return;
    device_->Present();
    stats_.frameEnd = Now();
    stats_.frameTime = stats_.frameEnd - stats_.frameStart;
    stats_.totalTime += stats_.frameTime;
    ++stats_.framesThisSecond;
    stats_.secondAccumulator += stats_.frameTime;
    if (stats_.secondAccumulator >= 1.0) {
        stats_.fps = stats_.framesThisSecond;
        stats_.framesThisSecond = 0;
        stats_.averageFps = static_cast<uint16_t>((stats_.averageFps + stats_.fps) / 2);
        stats_.secondAccumulator = 0;
        stats_.maximumFps = std::max(stats_.maximumFps, stats_.fps);
        stats_.minimumFps = std::min(stats_.minimumFps, stats_.fps);
    }
    for (FrameCounter* counter : {&stats_.triangles, &stats_.renderCalls, &stats_.textureChanges,
                                  &stats_.renderStateChanges, &stats_.stageStateChanges})
        counter->maximum = std::max(counter->maximum, counter->current);
}

void VEX_Direct3D::ClearTargets(uint32_t argb, bool clearColor, bool clearDepth,
                                bool clearStencil) {
    if (!device_) return;
    const uint32_t flags = (clearColor ? uint32_t(kClearTarget) : 0u) |
                           (clearDepth ? uint32_t(kClearZBuffer) : 0u) |
                           (clearStencil ? uint32_t(kClearStencil) : 0u);
    device_->Clear(flags, argb, 1.0f, 0);
}

void VEX_Direct3D::SetProjection(float nearPlane, float farPlane, float fieldOfView) {
    if (fieldOfView == 0) fieldOfView = kDefaultFieldOfView;
    nearPlane_ = nearPlane;
    farPlane_ = farPlane;
    const float aspect = height_ ? float(width_) / float(height_) : 1.0f;
    SetProjectionMatrix(PerspectiveFovLH(fieldOfView, aspect, nearPlane, farPlane));
}

void VEX_Direct3D::SetProjectionMatrix(const Matrix& matrix) {
    projection_ = matrix;
    if (device_) device_->SetTransform(kTsProjection, projection_);
}

void VEX_Direct3D::SetVirtualSize(uint16_t virtualWidth, uint16_t virtualHeight) {
    virtualWidth_ = virtualWidth;
    virtualHeight_ = virtualHeight;
    ratioX_ = virtualWidth ? float(width_) / float(virtualWidth) : 1.0f;
    ratioY_ = virtualHeight ? float(height_) / float(virtualHeight) : 1.0f;
}

bool VEX_Direct3D::SetViewportRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    int rx1 = int(float(x1) * ratioX_), rx2 = int(float(x2) * ratioX_);
    int ry1 = int(float(y1) * ratioY_), ry2 = int(float(y2) * ratioY_);
    if (rx1 > rx2) rx1 = rx2;
    if (ry1 > ry2) ry1 = ry2;
    viewportRect_ = {ClampTo(rx1, width_), ClampTo(ry1, height_), ClampTo(rx2, width_),
                     ClampTo(ry2, height_)};
    viewport_ = {uint32_t(viewportRect_.x1),
                 uint32_t(viewportRect_.y1),
                 uint32_t(viewportRect_.x2 - viewportRect_.x1),
                 uint32_t(viewportRect_.y2 - viewportRect_.y1),
                 0.0f,
                 1.0f};
    virtualViewportRect_ = {
        int16_t(float(viewportRect_.x1) / ratioX_), int16_t(float(viewportRect_.y1) / ratioY_),
        int16_t(float(viewportRect_.x2) / ratioX_), int16_t(float(viewportRect_.y2) / ratioY_)};
    if (device_) device_->SetViewport(viewport_);
    return viewportRect_.x1 != viewportRect_.x2 && viewportRect_.y1 != viewportRect_.y2;
}

void VEX_Direct3D::ApplyWorld() {
    if (device_) device_->SetTransform(kTsWorld, world_);
}

void VEX_Direct3D::SetWorldMatrix(const Matrix& matrix) {
    world_ = matrix;
    ApplyWorld();
}

void VEX_Direct3D::SetWorldPosition(float x, float y, float z) {
    world_ = Translation(x, y, z);
    ApplyWorld();
}

void VEX_Direct3D::ComposeWorld(const Matrix& s, const Matrix& r, const Matrix& t, uint8_t order) {
    // Orders 1 to 6 are the six sequences of the three factors; any other
    // leaves the world at identity.
    const Matrix* const sequences[6][3] = {{&s, &r, &t}, {&s, &t, &r}, {&t, &r, &s},
                                           {&t, &s, &r}, {&r, &s, &t}, {&r, &t, &s}};
    world_ = identity_;
    if (order >= 1 && order <= 6) {
        for (const Matrix* factor : sequences[order - 1]) world_ = Multiply(world_, *factor);
    }
    ApplyWorld();
}

void VEX_Direct3D::SetWorldTransform(const Vector3& position, const Vector3& angles,
                                     const Vector3& scale, uint8_t order) {
    scratch_ = Multiply(Multiply(RotationX(angles.x), RotationY(angles.y)), RotationZ(angles.z));
    ComposeWorld(Scaling(scale.x, scale.y, scale.z), scratch_,
                 Translation(position.x, position.y, position.z), order);
}

void VEX_Direct3D::SetWorldTransformQ(const Vector3& position, const Quaternion& rotation,
                                      const Vector3& scale, uint8_t order) {
    ComposeWorld(Scaling(scale.x, scale.y, scale.z), RotationQuaternion(rotation),
                 Translation(position.x, position.y, position.z), order);
}

void VEX_Direct3D::MultiplyTranslation(float x, float y, float z) {
    world_ = Multiply(world_, Translation(x, y, z));
}
void VEX_Direct3D::MultiplyRotation(float x, float y, float z) {
    world_ = Multiply(world_, Multiply(Multiply(RotationX(x), RotationY(y)), RotationZ(z)));
}
void VEX_Direct3D::MultiplyQuaternion(const Quaternion& rotation) {
    world_ = Multiply(world_, RotationQuaternion(rotation));
}
void VEX_Direct3D::MultiplyScale(float x, float y, float z) {
    world_ = Multiply(world_, Scaling(x, y, z));
}

void VEX_Direct3D::SetRenderStateCounted(RenderState state, uint32_t value) {
    if (device_) device_->SetRenderState(state, value);
    ++stats_.renderStateChanges.current;
}

void VEX_Direct3D::SetStageStateCounted(uint32_t stage, StageState state, uint32_t value) {
    if (device_) device_->SetTextureStageState(stage, state, value);
    ++stats_.stageStateChanges.current;
}

void VEX_Direct3D::SetWireframe(bool on) {
    SetRenderStateCounted(kRsFillMode, on ? kFillWireframe : kFillSolid);
}
void VEX_Direct3D::SetLighting(bool on) {
    SetRenderStateCounted(kRsLighting, on);
}
void VEX_Direct3D::SetAmbient(uint32_t argb) {
    SetRenderStateCounted(kRsAmbient, argb);
}
void VEX_Direct3D::SetFogEnable(bool on) {
    SetRenderStateCounted(kRsFogEnable, on);
}
void VEX_Direct3D::SetCullMode(uint32_t cull) {
    SetRenderStateCounted(kRsCullMode, cull);
}
void VEX_Direct3D::SetShadeMode(uint32_t shade) {
    SetRenderStateCounted(kRsShadeMode, shade);
}

void VEX_Direct3D::SetPointFilter(uint32_t stage) {
    SetStageStateCounted(stage, kTssMagFilter, kTexfPoint);
    SetStageStateCounted(stage, kTssMinFilter, kTexfPoint);
    SetStageStateCounted(stage, kTssMipFilter, kTexfNone);
}

void VEX_Direct3D::SetStageFilter(uint32_t filter, uint32_t stage) {
    SetStageStateCounted(stage, kTssMagFilter, filter);
    SetStageStateCounted(stage, kTssMinFilter, filter);
    SetStageStateCounted(stage, kTssMipFilter, filter);
}

void VEX_Direct3D::SetDepthTest(bool on) {
    if (!on) return SetRenderStateCounted(kRsZEnable, kZbFalse);
    const bool w = capabilities_.wBufferRequested && capabilities_.wBufferSupported;
    SetRenderStateCounted(kRsZEnable, w ? kZbUseW : kZbTrue);
}

void VEX_Direct3D::SetDepthWrite(bool on) {
    SetRenderStateCounted(kRsZWriteEnable, on);
}
void VEX_Direct3D::SetZBias(uint8_t bias) {
    SetRenderStateCounted(kRsZBias, std::min<uint8_t>(bias, 16));
}

void VEX_Direct3D::MakeMaterial(Material& material, float dr, float dg, float db, float ar,
                                float ag, float ab, float sr, float sg, float sb, float er,
                                float eg, float eb, float power) {
    material.diffuse = {dr, dg, db, 1.0f};
    material.ambient = {ar, ag, ab, 1.0f};
    material.specular = {sr, sg, sb, 1.0f};
    material.emissive = {er, eg, eb, 1.0f};
    material.power = power;
}

const char* VEX_Direct3D::FormatName(uint32_t format) {
    return gfx::FormatName(format);
}
uint8_t VEX_Direct3D::FormatBits(uint32_t format) {
    return gfx::FormatBits(format);
}

void VEX_Direct3D::ReportStats() {
    Log().WriteLine("\nMenor taxa de framerate..: %d fps.", stats_.minimumFps);
    Log().WriteLine("Taxa média de framerate..: %d fps.", stats_.averageFps);
    Log().WriteLine("Maior taxa de framerate..: %d fps.\n", stats_.maximumFps);
    Log().WriteLine("Máx. triângulos exibidos........: %d", int(stats_.triangles.maximum));
    Log().WriteLine("Máx. render calls...............: %d", int(stats_.renderCalls.maximum));
    Log().WriteLine("Máx. trocas de texturas.........: %d", int(stats_.textureChanges.maximum));
    Log().WriteLine("Máx. troca de estados...........: %d", int(stats_.renderStateChanges.maximum));
    Log().WriteLine("Máx. troca de estados de textura: %d\n",
                    int(stats_.stageStateChanges.maximum));
}

void VEX_Direct3D::ShowErrorBox(const char* reason) const {
    // The text lives in an engine buffer of the reason's length and 255
    // bytes more, which the fixed lines fit in.
    static constexpr const char* kLead =
        "Não foi possível iniciar o Direct3D.\n"
        "Verifique se você possui o DirectX 8.1 ou superior instalado,\n"
        "e se sua placa de vídeo suporta aceleração 3D.\n\n"
        "Motivo: ";
    const size_t bytes = std::strlen(reason) + 255;
    TrackedChars text(static_cast<char*>(TrackedAlloc(static_cast<uint32_t>(bytes))));
    if (!text) return;
    std::snprintf(text.get(), bytes, "%s%s", kLead, reason);
    ShowMessageBox(window_, text.get(), "Erro");
}
