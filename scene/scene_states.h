// Stage 0 and the texture loader as the scene sets them when it starts; the
// drawing tests and benchmarks that stand in for parts of the scene set them
// the same way.
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

// Every picture converted to A1R5G5B5, scaled by a triangle filter.
inline void ApplySceneLoaderSettings() {
    TextureList().SetFilters(gfx::kFilterTriangle, gfx::kFilterLinear);
    TextureList().SetFormat(gfx::kFormatA1R5G5B5);
}
