#include "engine/modules/engine_modules.h"

#include "base/debug_log.h"

namespace {

constinit EngineModules* running = nullptr;

}  // namespace

EngineModules::EngineModules() {
    direct3d.SetDeviceListener(this);
}

EngineModules::~EngineModules() {
    direct3d.SetDeviceListener(nullptr);
}

void EngineModules::OnDeviceReady(int16_t virtualWidth, int16_t virtualHeight) {
    textureList.ForgetBindings();
    camera.SetViewRect(0, 0, virtualWidth, virtualHeight);
}

EngineLifetime::EngineLifetime() {
    Log().Create();
    modules_ = std::make_unique<EngineModules>();
    running = modules_.get();
}

EngineLifetime::~EngineLifetime() {
    modules_.reset();
    running = nullptr;
    Log().CloseAtUnload();
}

EngineModules& Engine() {
    return *running;
}
VEX_Direct3D& Direct3D() {
    return running->direct3d;
}
VEX_Camera& Camera() {
    return running->camera;
}
VEX_Light& Lights() {
    return running->light;
}
VEX_TextureList& TextureList() {
    return running->textureList;
}
VEX_Input& Input() {
    return running->input;
}
VEX_Audio& Audio() {
    return running->audio;
}
VEX_SFX& Effects() {
    return running->sfx;
}
