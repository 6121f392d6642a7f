#include "engine/services/vex_resource.h"

#include <cstring>

#include "engine/services/debug_log.h"

VEX_Resource::VEX_Resource() {
    Log().ModuleStarting("VEX_Resource");
    Log().ReportOk();
}

VEX_Resource::~VEX_Resource() {
    Log().ModuleFinishing("VEX_Resource");
    Log().ReportOk();
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
