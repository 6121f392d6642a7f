// The engine's global modules and their one life cycle: the log is created,
// then the modules are constructed in a fixed order, each writing its start
// line; at the end they are destroyed in the reverse order, each writing its
// finish line, and the log closes with the memory statistics when the scene
// did not delete it on a clean finish. The memory tracker needs no start:
// it is usable before anything else runs.
//
// The list also carries what passes between the graphics modules: they are
// given the modules they draw with when constructed, and the list hears
// when the device is created or reset and tells the texture list and the
// camera, in that order. No module reaches another through a global.
#pragma once

#include <memory>

#include "engine/audio/vex_audio.h"
#include "engine/audio/vex_sfx.h"
#include "engine/graphics/vex_camera.h"
#include "engine/graphics/vex_direct3d.h"
#include "engine/graphics/vex_light.h"
#include "engine/graphics/vex_texture_list.h"
#include "engine/modules/pending_modules.h"
#include "engine/services/string_tools.h"
#include "engine/services/vex_input.h"
#include "engine/services/vex_resource.h"

struct EngineModules : TrackedObject, DeviceListener {
    EngineModules();
    ~EngineModules();
    EngineModules(const EngineModules&) = delete;
    EngineModules& operator=(const EngineModules&) = delete;

    void OnDeviceReady(int16_t virtualWidth, int16_t virtualHeight) override;

    // Declaration order is construction order; destruction runs backwards.
    VEX_Resource resource;
    StringTools stringTools;
    VEX_Direct3D direct3d;
    VEX_Input input;
    VEX_Camera camera{direct3d};
    VEX_Light light{direct3d};
    VEX_GDIFont gdiFont;
    VEX_TextureList textureList{direct3d};
    VEX_Sprite sprite;
    VEX_Font font;
    VEX_Audio audio;
    VEX_SFX sfx{audio};
};

// Owns the engine for as long as the library is loaded. One at a time.
class EngineLifetime {
public:
    EngineLifetime();
    ~EngineLifetime();
    EngineLifetime(const EngineLifetime&) = delete;
    EngineLifetime& operator=(const EngineLifetime&) = delete;

private:
    std::unique_ptr<EngineModules> modules_;
};

// The running engine's modules; valid while an EngineLifetime exists. For
// the scene and the exports above the engine, never for the modules in it.
EngineModules& Engine();
VEX_Direct3D& Direct3D();
VEX_Camera& Camera();
VEX_Light& Lights();
VEX_TextureList& TextureList();
VEX_Input& Input();
VEX_Audio& Audio();
VEX_SFX& Effects();
