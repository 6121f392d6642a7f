// Compiled as part of the platform layer, this file includes a header of the
// layer below it, which the platform may use. It must compile, so that the
// refusal of reaches_up.cpp is known to come from the layering alone.
#include "base/debug_log.h"
