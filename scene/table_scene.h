// The game's table, discs and cue loaded as the scene loads them, drawn for
// an arbitrary layout through the green player's camera: for the contact
// sheet, the drawing tests and the frame benchmark's fixed layouts, which
// need the table without a game on it.
#pragma once

#include "engine/services/vex_package.h"
#include "scene/scene.h"
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

    // Camera of the green seat at rest and the 3D projection.
    static void PlaceCamera();
    // The table as the game draws it (with its reflection and base when
    // mirrored), then the layout's discs (on the surface, or in their hole
    // once pocketed) and its cue.
    void Draw(const SceneLayout& layout, bool mirrored);

    VEX_XMesh& table() { return meshes_.TableFor(quality_); }
    VEX_XMesh& disc() { return meshes_.DiscFor(quality_); }

private:
    void DrawLayout(const SceneLayout& layout, float opacity, uint8_t quality, bool withCue);

    VEX_Package package_;
    bool usesPackage_ = false;
    uint8_t quality_ = 1;
    SceneMeshes meshes_;
};
