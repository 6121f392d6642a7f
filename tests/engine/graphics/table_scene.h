// The game's table, discs and cue loaded from the built package with the
// scene's settings, materials and lights, and drawn as the scene draws a
// frame: for the display tests and the frame-rate benchmark.
#pragma once

#include <memory>

#include "engine/graphics/vex_xmesh.h"
#include "engine/modules/engine_modules.h"
#include "engine/services/vex_package.h"

class TableScene {
public:
    // Loads from the package at path, with the high- or low-detail table
    // and disc (the game's quality setting); false (with the reason in the
    // log) when anything the scene draws is missing. The device must be
    // started.
    bool Load(const char* packagePath, bool lowDetail = false);
    ~TableScene();

    // Camera of the green seat and the 3D projection.
    static void PlaceCamera();
    // The scene's four lights, added and switched on (Load adds them too).
    static void AddLights();
    // The table, discs on a grid over the surface (the first one yellow,
    // then red and green in turn) and the cue. When mirrored, everything is
    // drawn a second time turned upside down below the surface, as a
    // reflection pass does.
    void Draw(int discCount, bool mirrored);

    VEX_XMesh& table() { return table_; }
    VEX_XMesh& disc() { return disc_; }

    static constexpr float kSurfaceY = 1.2f;

private:
    void DrawPass(int discCount, float ySign);

    VEX_Package package_;
    VEX_XMesh table_{Direct3D(), TextureList()}, disc_{Direct3D(), TextureList()},
        cue_{Direct3D(), TextureList()};
    gfx::Material yellow_, green_, red_;
};
