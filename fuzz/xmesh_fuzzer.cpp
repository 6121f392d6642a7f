// The .x mesh reader through the mesh module: any bytes as a package's mesh,
// loaded with its textures (which the package does not hold), fitted, drawn
// and released.
#include <cstdint>
#include <cstdlib>

#include "engine/graphics/vex_xmesh.h"
#include "engine/modules/engine_modules.h"
#include "fuzz/recording_engine.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartRecordingEngine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ServeAsOnlyEntry("fuzz.x", data, size);
    const int64_t blocksBefore = Tracker().Counters().blocksInUse;
    {
        VEX_XMesh mesh(Direct3D(), TextureList());
        if (mesh.LoadX("fuzz.x", true)) {
            mesh.FitSize(1.0f, true, false);
            mesh.DrawMesh(0.5f);
        }
    }
    TextureList().Clear(false);
    if (Tracker().Counters().blocksInUse != blocksBefore) std::abort();  // a tracked leak
    return 0;
}
