// The game's table, discs and cue loaded with the scene's settings,
// materials and lights, and drawn as the scene draws a frame's 3D content
// through the green player's camera.
#pragma once

#include "engine/graphics/vex_xmesh.h"
#include "engine/modules/engine_modules.h"
#include "engine/services/vex_package.h"
#include "scene/scene_layout.h"

class TableScene {
public:
    // Loads from the package at packagePath, or from loose files in the
    // working folder when it is null, with the high- or low-detail table and
    // disc (the game's quality setting); false (with the reason in the log)
    // when anything the scene draws is missing. The device must be started.
    bool Load(const char* packagePath, bool lowDetail = false);
    // Forgets the package and empties the engine's texture list and lights,
    // which Load filled.
    ~TableScene();

    // Camera of the green seat and the 3D projection.
    static void PlaceCamera();
    // The scene's four lights, added and switched on (Load adds them too).
    static void AddLights();
    // The table, then the layout's discs (on the surface, or in their hole
    // once pocketed) and its cue. When mirrored, everything is drawn a
    // second time turned upside down below the surface, as a reflection
    // pass does.
    void Draw(const SceneLayout& layout, bool mirrored);

    VEX_XMesh& table() { return table_; }
    VEX_XMesh& disc() { return disc_; }

private:
    void DrawPass(const SceneLayout& layout, float ySign);
    void DrawDisc(const Disc& disc, const gfx::Matrix& mirror);

    VEX_Package package_;
    bool usesPackage_ = false;
    VEX_XMesh table_{Direct3D(), TextureList()}, disc_{Direct3D(), TextureList()},
        cue_{Direct3D(), TextureList()};
    gfx::Material yellow_, green_, red_;
};
