// The engine's global modules and their one life cycle: the log is created,
// then the modules are constructed in a fixed order, each writing its start
// line; at the end they are destroyed in the reverse order, each writing its
// finish line, and the log closes with the memory statistics when the scene
// did not delete it on a clean finish. The memory tracker needs no start:
// it is usable before anything else runs.
#pragma once

#include <memory>

#include "engine/graphics/vex_camera.h"
#include "engine/graphics/vex_direct3d.h"
#include "engine/graphics/vex_light.h"
#include "engine/graphics/vex_texture_list.h"
#include "engine/services/pending_modules.h"
#include "engine/services/string_tools.h"
#include "engine/services/vex_resource.h"

struct EngineModules : TrackedObject {
    // Declaration order is construction order; destruction runs backwards.
    VEX_Resource resource;
    StringTools stringTools;
    VEX_Direct3D direct3d;
    VEX_Input input;
    VEX_Camera camera;
    VEX_Light light;
    VEX_GDIFont gdiFont;
    VEX_TextureList textureList;
    VEX_Sprite sprite;
    VEX_Font font;
    VEX_Audio audio;
    VEX_SFX sfx;
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

// The running engine's modules; valid while an EngineLifetime exists.
EngineModules& Engine();
VEX_Resource& Resource();
VEX_Direct3D& Direct3D();
VEX_Camera& Camera();
VEX_Light& Lights();
VEX_TextureList& TextureList();
