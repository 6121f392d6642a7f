#include "bench/bench_device.h"

bool StartBenchDevice(SceneWindow& window, benchmark::State& state) {
    if (!window.ok()) {
        state.SkipWithError("no X display: run under scripts/run-with-display.sh");
        return false;
    }
    if (!window.StartDevice()) {
        state.SkipWithError("the OpenGL device did not start");
        return false;
    }
    return true;
}
