#include "engine/services/vex_resource.h"

#include <cstring>

#include "base/debug_log.h"

namespace {

// The engine runs one resource module at a time; the loaders of every layer
// above find it here rather than through the module list above them.
constinit VEX_Resource* running = nullptr;

}  // namespace

VEX_Resource::VEX_Resource() {
    Log().ModuleStarting("VEX_Resource");
    running = this;
    Log().ReportOk();
}

VEX_Resource::~VEX_Resource() {
    Log().ModuleFinishing("VEX_Resource");
    if (running == this) running = nullptr;
    Log().ReportOk();
}

VEX_Resource& Resource() {
    return *running;
}

bool VEX_Resource::BuildPath(const char* name) {
    if (!name) return false;
    // A cut path would name another file; refuse it instead.
    const size_t length = std::strlen(name);
    if (length >= sizeof path_) {
        path_[0] = '\0';
        return false;
    }
    std::memcpy(path_, name, length + 1);
    for (char* c = path_; *c; ++c) {
        if (*c == '\\') *c = '/';
    }
    return true;
}
