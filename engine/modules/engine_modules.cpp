#include "engine/modules/engine_modules.h"

#include "base/debug_log.h"
#include "base/library_folders.h"

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
    // Where the player's state goes: the working folder in a build, the
    // XDG state folder when installed. Without a folder the log stays silent.
    if (const auto path = PlayerFileForWriting(PlayerFolder::kState, DebugLog::kFileName))
        Log().Create(path->c_str());
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
VEX_Sprite& Sprites() {
    return running->sprite;
}
VEX_Font& Fonts() {
    return running->font;
}
VEX_GDIFont& GDIFonts() {
    return running->gdiFont;
}
