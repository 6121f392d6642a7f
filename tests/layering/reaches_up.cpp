// Compiled as part of the platform layer, this file includes a header of the
// graphics engine above it. It must not compile: the layering test expects
// the compiler to say it cannot find the header.
#include "engine/graphics/vex_camera.h"
