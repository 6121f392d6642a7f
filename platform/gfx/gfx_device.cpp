#include "platform/gfx/gfx_device.h"

namespace gfx {

namespace {

// Single-threaded like the rest of the library.
uint64_t nextSerial = 1;

}  // namespace

Device::Device() : serial_(nextSerial++) {}

}  // namespace gfx
