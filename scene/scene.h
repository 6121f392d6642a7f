// The scene: everything that exists between the scene's start and its
// finish (the meshes, materials, sound, fireworks and the frame's own
// counters), owned by one object that is there exactly while the scene is
// up. Every export that draws or plays checks ActiveScene() first, so a
// peer without a window, or a program that already finished the scene,
// reaches nothing that is gone.
#pragma once

#include <cstdint>
#include <memory>

#include "base/memory_tracker.h"
#include "engine/graphics/vex_xmesh.h"
#include "engine/modules/engine_modules.h"
#include "engine/services/vex_package.h"
#include "scene/fireworks.h"
#include "scene/scene_presentation.h"
#include "scene/scene_sound.h"

// The six meshes the scene draws and the three disc colours.
struct SceneMeshes {
    VEX_XMesh table{Direct3D(), TextureList()};
    VEX_XMesh tableLow{Direct3D(), TextureList()};
    VEX_XMesh disc{Direct3D(), TextureList()};
    VEX_XMesh discLow{Direct3D(), TextureList()};
    VEX_XMesh cue{Direct3D(), TextureList()};
    VEX_XMesh base{Direct3D(), TextureList()};
    gfx::Material yellow, green, red;

    // The quality switch picks the detailed or the light table and disc.
    VEX_XMesh& TableFor(uint8_t quality) { return quality ? table : tableLow; }
    VEX_XMesh& DiscFor(uint8_t quality) { return quality ? disc : discLow; }
    const gfx::Material& MaterialOf(DiscColor color) const {
        return color == kColorYellow ? yellow : color == kColorGreen ? green : red;
    }
};

// What the frame keeps from one call to the next.
struct SceneCounters {
    float helpAlpha = 0;  // 0..255
    bool helpByPad = false;  // the gamepad's help button, not F1, shows the help
    bool frameOpen = false;  // a frame began and ended, and waits to be shown
};

struct Scene : TrackedObject {
    Scene() : sound(Audio(), Effects()) {}
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    int width = 0, height = 0;  // the device's, which the 2D layer draws on
    unsigned long window = 0;
    uint32_t textureFilter = gfx::kTexfLinear;
    VEX_Package package;
    SceneMeshes meshes;
    SceneSound sound;
    std::unique_ptr<Fireworks> fireworks;
    std::unique_ptr<ScenePresentation> presentation;
    SceneCounters counters;
};

// The scene while it is up, else null.
Scene* ActiveScene();
