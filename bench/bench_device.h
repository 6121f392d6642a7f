// Starting the OpenGL device for a drawing benchmark, or saying why not.
#pragma once

#include <benchmark/benchmark.h>

#include "scene/scene_window.h"

// Starts the device in the window at its size; false (and the benchmark
// marked skipped with the reason) when there is no display or no device.
bool StartBenchDevice(SceneWindow& window, benchmark::State& state);
