// The device states and the texture loader as the scene sets them when it
// starts. A device reset puts the device's defaults back (alpha from the
// texture alone: reflections would draw opaque), so the frame applies the
// same states again after one.
#pragma once

#include <cstdint>

#include "engine/modules/engine_modules.h"

// Stage 0 with the filter, and alpha from the texture times the vertex
// colour, which every fade and translucent quad relies on.
inline void ApplySceneStageStates(uint32_t filter) {
    VEX_Direct3D& d3d = Direct3D();
    d3d.SetStageFilter(filter, 0);
    d3d.SetStageStateCounted(0, gfx::kTssAlphaOp, gfx::kTopModulate);
    d3d.SetStageStateCounted(0, gfx::kTssAlphaArg1, gfx::kTaTexture);
    d3d.SetStageStateCounted(0, gfx::kTssAlphaArg2, gfx::kTaDiffuse);
}

// Lighting with specular highlights (unless switched off), dithering,
// normals kept unit length after the discs' scaling, and nearer-wins depth,
// with stage 0 as above.
inline void ApplySceneRenderStates(uint32_t filter, bool specularOn) {
    VEX_Direct3D& d3d = Direct3D();
    d3d.SetRenderStateCounted(gfx::kRsLighting, 1);
    d3d.SetRenderStateCounted(gfx::kRsDitherEnable, 1);
    d3d.SetRenderStateCounted(gfx::kRsSpecularEnable, specularOn ? 1 : 0);
    d3d.SetRenderStateCounted(gfx::kRsNormalizeNormals, 1);
    d3d.SetRenderStateCounted(gfx::kRsZFunc, gfx::kCmpLess);
    d3d.SetDepthTest(true);
    ApplySceneStageStates(filter);
}

// Every picture converted to A1R5G5B5, scaled by a triangle filter.
inline void ApplySceneLoaderSettings() {
    TextureList().SetFilters(gfx::kFilterTriangle, gfx::kFilterLinear);
    TextureList().SetFormat(gfx::kFormatA1R5G5B5);
}

// After a reset the device is back at its defaults: the scene's states,
// the help font and the lights go on again before the next frame.
inline void RestoreSceneStates(uint32_t filter, bool specularOn) {
    GDIFonts().RefreshGDIFonts();
    Lights().ApplyAllLights();
    ApplySceneRenderStates(filter, specularOn);
}
