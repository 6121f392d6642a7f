#include "engine/services/engine_modules.h"

#include "engine/services/debug_log.h"

namespace {

constinit EngineModules* running = nullptr;

}  // namespace

EngineLifetime::EngineLifetime() {
    Log().Create();
    modules_ = std::make_unique<EngineModules>();
    running = modules_.get();
}

EngineLifetime::~EngineLifetime() {
    // Modules reach each other while they finish (the texture list unbinds
    // its textures on the device), so the engine stays reachable until the
    // last one is gone.
    modules_.reset();
    running = nullptr;
    Log().CloseAtUnload();
}

EngineModules& Engine() {
    return *running;
}
VEX_Resource& Resource() {
    return running->resource;
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
