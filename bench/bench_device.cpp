#include "bench/bench_device.h"

#include "engine/modules/engine_modules.h"

bool StartBenchDevice(const TestWindow& window, benchmark::State& state) {
    if (!window.ok()) {
        state.SkipWithError("no X display: run under scripts/run-with-display.sh");
        return false;
    }
    Direct3D().UseSystem(nullptr);
    if (!Direct3D().Start(window.handle(), nullptr, false, true, false, false, 570, 400, 0, false,
                          false)) {
        state.SkipWithError("the OpenGL device did not start");
        return false;
    }
    return true;
}
