// The OpenGL device of the drawing benchmarks, started at the game's size
// in a test window.
#pragma once

#include <benchmark/benchmark.h>

#include "tests/engine/graphics/x11_window.h"

// Starts the OpenGL device at 570 x 400 in window; false (and the benchmark
// marked skipped with the reason) when there is no display or no device.
bool StartBenchDevice(const TestWindow& window, benchmark::State& state);
